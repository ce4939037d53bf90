#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <cairo.h>

// What the window tests need around the real program: running a command line, driving the
// program's window, and comparing the picture xwd takes of it with one drawn without a window.

struct CommandResult {
    int status = -1;
    std::string output;
};

// Runs a shell command line (built from fixed parts and numbers only), with its output.
CommandResult runCommand(const std::string& command);
bool haveCommand(const std::string& name);

// Pixels as 0xRRGGBB, row by row.
struct RGBPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

RGBPicture pictureOf(cairo_surface_t* surface);

// Polls the condition (every 50 ms) until it holds or timeout seconds have passed; answers
// whether it held. Slow and busy machines only make it wait longer.
bool pollUntil(const std::function<bool()>& condition, double timeout);

// The program on a virtual display of its own (Xvfb, 600 by 1000 pixels), driven one input at a
// time with real X input, so each step can wait for what the window shows before the next. The
// command is "NAME=value ... program" for the program's environment and path; the folder takes
// the session's log and window dumps. A session that ends without finish() kills the program as
// kill -9 does, and takes its display down.
class WindowSession {
public:
    WindowSession(const std::filesystem::path& folder, const std::string& command);
    ~WindowSession();
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // Waits until the program's window exists and has the keyboard focus.
    bool waitForWindow(double timeout);

    // Mouse input at points of the window (its pixels). A drag goes down at the first point,
    // through the others, and up at the last; one call, so the steps arrive in order.
    bool click(int x, int y) { return drag({{x, y}}); }
    bool drag(const std::vector<std::pair<int, int>>& path);
    // Turns the wheel at the point by steps: positive down (the content moves up), negative up.
    bool wheel(int x, int y, int steps);
    // Keys to the focused window: text typed key by key (fixed text only: it goes through the
    // shell), and one key by its X name ("BackSpace").
    bool type(const std::string& text) { return xdotool("type --delay 20 '" + text + "'"); }
    bool key(const std::string& name) { return xdotool("key " + name); }

    // Waits until the window differs from the picture in less than share of its pixels (a pixel
    // differs when red, green or blue is more than 40 off); answers the last share seen (1 when
    // nothing was captured).
    double waitUntilShows(const RGBPicture& expected, double share, double timeout);

    // Asks the program to quit as the window's close does and waits for it; answers its exit
    // status (-1 when it did not end).
    int finish();
    std::string output() const;

private:
    CommandResult inDisplay(const std::string& command) const;
    bool xdotool(const std::string& arguments) const;
    std::optional<RGBPicture> capture() const;

    std::filesystem::path folder_;
    pid_t display_ = -1;
    pid_t program_ = -1;
    std::string displayName_;
    std::string window_;
    std::string problem_;
};
