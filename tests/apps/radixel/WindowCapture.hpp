#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
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
inline CommandResult runCommand(const std::string& command)
{
    CommandResult run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        return run;
    }
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) {
        run.output += buffer.data();
    }
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline bool haveCommand(const std::string& name)
{
    return runCommand("command -v " + name).status == 0;
}

// Polls the condition (every 50 ms) until it holds or timeout seconds have passed; answers
// whether it held. Slow and busy machines only make it wait longer.
inline bool pollUntil(const std::function<bool()>& condition, double timeout)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

inline std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Pixels as 0xRRGGBB, row by row.
struct RGBPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

inline RGBPicture pictureOf(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    RGBPicture picture{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), {}};
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xffffff);
        }
    }
    return picture;
}

// A window dump of xwd in the true-colour form of a 24- or 32-bit display; none otherwise.
inline std::optional<RGBPicture> readXwd(const std::filesystem::path& file)
{
    std::string data = fileText(file);
    auto byte = [&](size_t at) { return static_cast<uint32_t>(static_cast<unsigned char>(data[at])); };
    auto word = [&](size_t at) { return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3); };
    if (data.size() < 100) {
        return std::nullopt;
    }
    // The header's fields are big-endian words; the colour map's entries take 12 bytes each.
    uint32_t width = word(16), height = word(20), bytesPerLine = word(48);
    bool lsbFirst = word(28) == 0;
    size_t start = word(0) + size_t(word(76)) * 12;
    if (word(44) != 32 || width == 0 || width > 8000 || height > 8000 || data.size() < start + size_t(bytesPerLine) * height) {
        return std::nullopt;
    }
    RGBPicture picture{static_cast<int>(width), static_cast<int>(height), {}};
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            size_t at = start + size_t(y) * bytesPerLine + size_t(x) * 4;
            // Least significant byte first: blue, green, red, pad.
            picture.pixels.push_back(lsbFirst ? (byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at)) : (word(at) & 0xffffff));
        }
    }
    return picture;
}

// The share of pixels (0...1) whose red, green or blue differ by more than tolerance.
inline double differingShare(const RGBPicture& a, const RGBPicture& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) {
        return 1.0;
    }
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift : {16, 8, 0}) {
            int delta = static_cast<int>((a.pixels[i] >> shift) & 0xff) - static_cast<int>((b.pixels[i] >> shift) & 0xff);
            if (std::abs(delta) > tolerance) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}

// The program on a virtual display of its own (Xvfb, 800 by 1700 pixels: a phone at scale 2), driven one input at a
// time with real X input, so each step can wait for what the window shows before the next. The
// command is "NAME=value ... program" for the program's environment and path; the folder takes
// the session's log and window dumps. A session that ends without finish() kills the program as
// kill -9 does, and takes its display down.
class WindowSession {
public:
    WindowSession(const std::filesystem::path& folder, const std::string& command) : folder_(folder)
    {
        int log = open((folder_ / "session.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        int ready[2];
        if (log < 0 || pipe(ready) != 0) {
            problem_ = "no log or pipe";
            return;
        }
        // Xvfb finds a free display and writes its number once it takes connections. The display
        // keeps its state when its last client leaves (-noreset), since the window searches
        // connect and leave while the program is starting.
        display_ = spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "800x1700x24", "-noreset"}, log);
        close(ready[1]);
        pollfd written{ready[0], POLLIN, 0};
        char c = 0;
        while (poll(&written, 1, 30000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') {
            displayName_ += c;
        }
        close(ready[0]);
        if (displayName_.empty()) {
            problem_ = "the virtual display did not start";
        } else {
            program_ = spawn({"/bin/sh", "-c", "exec env DISPLAY=:" + displayName_ + " " + command}, log);
        }
        close(log);
    }
    ~WindowSession()
    {
        // Xvfb, when terminated, removes its lock and socket.
        for (auto [child, signal] : {std::pair{program_, SIGKILL}, std::pair{display_, SIGTERM}}) {
            if (child > 0) {
                kill(child, signal);
                waitpid(child, nullptr, 0);
            }
        }
    }
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // Waits until the program's window exists and has the keyboard focus.
    bool waitForWindow(double timeout)
    {
        auto shown = [&] {
            CommandResult search = inDisplay("xdotool search --onlyvisible --name '^Radixel$'");
            window_ = search.output.substr(0, search.output.find('\n'));
            problem_ = "no window: " + search.output;
            return search.status == 0 && !window_.empty() && window_.find_first_not_of("0123456789") == std::string::npos;
        };
        if (program_ <= 0 || !pollUntil(shown, timeout)) {
            window_.clear();
            return false;
        }
        CommandResult focus = inDisplay("timeout " + std::to_string(int(timeout) + 1) + " xdotool windowfocus --sync " + window_);
        problem_ = focus.status == 0 ? "" : "no focus: " + focus.output;
        return focus.status == 0;
    }

    // Mouse input at points of the window (its pixels). A drag goes down at the first point,
    // through the others, and up at the last; one call, so the steps arrive in order.
    bool click(int x, int y) { return drag({{x, y}}); }
    bool drag(const std::vector<std::pair<int, int>>& path)
    {
        std::string moves;
        for (size_t i = 0; i < path.size(); ++i) {
            moves += " mousemove --window " + window_ + " " + std::to_string(path[i].first) + " " + std::to_string(path[i].second);
            moves += i == 0 ? " mousedown 1" : "";
        }
        return !path.empty() && xdotool(moves + " mouseup 1");
    }
    // Turns the wheel at the point by steps: positive down (the content moves up), negative up.
    // X reports the wheel as buttons 4 (up) and 5 (down).
    bool wheel(int x, int y, int steps)
    {
        return steps != 0 && xdotool("mousemove --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y) +
                                     " click --repeat " + std::to_string(std::abs(steps)) + " --delay 50 " + (steps > 0 ? "5" : "4"));
    }
    // Keys to the focused window: text typed key by key (fixed text only: it goes through the
    // shell), and one key by its X name ("BackSpace").
    bool type(const std::string& text) { return xdotool("type --delay 20 '" + text + "'"); }
    bool key(const std::string& name) { return xdotool("key " + name); }

    // Waits until the window differs from the picture in less than share of its pixels (a pixel
    // differs when red, green or blue is more than 40 off); answers the last share seen (1 when
    // nothing was captured).
    double waitUntilShows(const RGBPicture& expected, double share, double timeout)
    {
        double last = 1;
        std::optional<RGBPicture> previous;
        auto unchangedSince = std::chrono::steady_clock::now();
        pollUntil(
            [&] {
                auto shown = capture();
                last = shown ? differingShare(*shown, expected, 40) : 1.0;
                if (last < share) {
                    return true;
                }
                auto now = std::chrono::steady_clock::now();
                if (!shown || !previous || previous->pixels != shown->pixels) {
                    previous = std::move(shown);
                    unchangedSince = now;
                } else if (now - unchangedSince > std::chrono::seconds(1)) {
                    // The program can keep showing the frame drawn just before an animation
                    // ended; a window event makes it draw again, and the note keeps that fault
                    // in sight.
                    std::fprintf(stderr, "note: the window kept an old frame until it was moved\n");
                    inDisplay("eval $(xdotool getwindowgeometry --shell " + window_ + ") && xdotool windowmove " + window_ +
                              " $((X + 1)) $Y windowmove " + window_ + " $X $Y");
                    unchangedSince = now;
                }
                return false;
            },
            timeout);
        return last;
    }

    // Asks the program to quit as the window's close does and waits for it; answers its exit
    // status (-1 when it did not end).
    int finish()
    {
        int status = 0;
        // A sanitizer build checks for leaks as the program ends, which takes a while.
        if (program_ <= 0 || kill(program_, SIGTERM) != 0 ||
            !pollUntil([&] { return waitpid(program_, &status, WNOHANG) == program_; }, 60)) {
            return -1;
        }
        program_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string output() const { return problem_ + "\n" + fileText(folder_ / "session.log"); }

private:
    // Starts the command line in a child that writes to the log and dies with the test.
    static pid_t spawn(const std::vector<std::string>& arguments, int log)
    {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        pid_t child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            dup2(open("/dev/null", O_RDONLY), 0);
            dup2(log, 1);
            dup2(log, 2);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return child;
    }
    CommandResult inDisplay(const std::string& command) const { return runCommand("DISPLAY=:" + displayName_ + " " + command); }
    bool xdotool(const std::string& arguments) const { return !window_.empty() && inDisplay("xdotool " + arguments).status == 0; }
    std::optional<RGBPicture> capture() const
    {
        auto dump = folder_ / "window.xwd";
        if (window_.empty() || inDisplay("xwd -silent -id " + window_ + " > " + dump.string()).status != 0) {
            return std::nullopt;
        }
        return readXwd(dump);
    }

    std::filesystem::path folder_;
    pid_t display_ = -1;
    pid_t program_ = -1;
    std::string displayName_;
    std::string window_;
    std::string problem_;
};
