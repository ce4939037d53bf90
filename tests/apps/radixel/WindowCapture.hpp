#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <cairo.h>

// What the window tests need around the real program: running a command line, driving the
// program's window, reading the picture that xwd took of it, and comparing that with a picture
// drawn without a window.

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
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A window dump of xwd in the true-colour form of a 24- or 32-bit display; none otherwise.
std::optional<RGBPicture> readXwd(const std::filesystem::path& file);
RGBPicture pictureOf(cairo_surface_t* surface);

// The share of pixels (0...1) whose red, green or blue differ by more than tolerance.
double differingShare(const RGBPicture& a, const RGBPicture& b, int tolerance);

// Polls the condition (every 50 ms) until it holds or timeout seconds have passed; answers
// whether it held. Slow and busy machines only make it wait longer.
bool pollUntil(const std::function<bool()>& condition, double timeout);

// The program under a virtual display of its own, driven one input at a time with real X input,
// so each step can wait for what the window shows before the next. It is started as
// underDisplay(line) for the shell line that runs the program; the folder holds the session's
// files and the program's output. A session that ends without finish() takes the program and
// its display down with it.
class WindowSession {
public:
    WindowSession(const std::filesystem::path& folder, const std::string& program,
                  const std::function<std::string(const std::string&)>& underDisplay);
    ~WindowSession();
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // Waits until the program's window exists and has the keyboard focus.
    bool waitForWindow(double timeout);

    // Mouse input at points of the window (its pixels). A drag goes down at the first point,
    // through the others, and up at the last; one call, so the steps arrive in order.
    bool click(int x, int y);
    bool drag(const std::vector<std::pair<int, int>>& path);
    // Turns the wheel at the point by steps: positive down (the content moves up), negative up.
    bool wheel(int x, int y, int steps);
    // Keys to the focused window: text typed key by key (fixed text only: it goes through the
    // shell), and one key by its X name ("BackSpace").
    bool type(const std::string& text);
    bool key(const std::string& name);

    std::optional<RGBPicture> capture();
    // Waits until the window differs from the picture in less than share of its pixels (at the
    // tolerance of differingShare); answers the last share seen (1 when nothing was captured).
    double waitUntilShows(const RGBPicture& expected, double share, double timeout);

    // Asks the program to quit as the window's close does and waits for it and the display to
    // end; answers the program's exit status (-1 when it had to be killed).
    int finish();
    std::string output() const;

private:
    CommandResult inDisplay(const std::string& command) const;
    int programId() const;

    std::filesystem::path folder_;
    int child_ = -1;
    std::string display_;
    std::string window_;
    std::string problem_;
};
