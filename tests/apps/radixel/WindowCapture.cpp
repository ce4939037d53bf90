#include "WindowCapture.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

CommandResult runCommand(const std::string& command)
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

bool haveCommand(const std::string& name)
{
    return runCommand("command -v " + name).status == 0;
}

namespace {

uint32_t bigEndian(const std::string& data, size_t offset)
{
    auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(data[offset + i])); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

} // namespace

std::optional<RGBPicture> readXwd(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 100) {
        return std::nullopt;
    }
    uint32_t headerSize = bigEndian(data, 0);
    uint32_t width = bigEndian(data, 16);
    uint32_t height = bigEndian(data, 20);
    uint32_t byteOrder = bigEndian(data, 28);
    uint32_t bitsPerPixel = bigEndian(data, 44);
    uint32_t bytesPerLine = bigEndian(data, 48);
    uint32_t colours = bigEndian(data, 76);
    size_t start = headerSize + static_cast<size_t>(colours) * 12;
    if (bitsPerPixel != 32 || width == 0 || width > 8000 || height > 8000 || data.size() < start + size_t(bytesPerLine) * height) {
        return std::nullopt;
    }
    RGBPicture picture{static_cast<int>(width), static_cast<int>(height), {}};
    picture.pixels.reserve(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            size_t at = start + size_t(y) * bytesPerLine + size_t(x) * 4;
            auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(data[at + i])); };
            // Least significant byte first (0) is blue, green, red, pad.
            uint32_t pixel = byteOrder == 0 ? (byte(2) << 16 | byte(1) << 8 | byte(0)) : (byte(1) << 16 | byte(2) << 8 | byte(3));
            picture.pixels.push_back(pixel);
        }
    }
    return picture;
}

RGBPicture pictureOf(cairo_surface_t* surface)
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

double differingShare(const RGBPicture& a, const RGBPicture& b, int tolerance)
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

bool pollUntil(const std::function<bool()>& condition, double timeout)
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

namespace {

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

} // namespace

WindowSession::WindowSession(const std::filesystem::path& folder, const std::string& program,
                             const std::function<std::string(const std::string&)>& underDisplay)
    : folder_(folder)
{
    // The display and its authority exist only inside xvfb-run: the script hands them out, and
    // its own process id, which the program keeps. An earlier session's in the same folder are
    // out of date.
    std::filesystem::remove(folder_ / "display");
    std::filesystem::remove(folder_ / "program.pid");
    auto script = folder_ / "session.sh";
    std::ofstream(script) << "echo $$ > " << (folder_ / "program.pid").string() << "\n"
                          << "printf '%s\\n%s\\n' \"$DISPLAY\" \"$XAUTHORITY\" > " << (folder_ / "display.part").string() << "\n"
                          << "mv " << (folder_ / "display.part").string() << " " << (folder_ / "display").string() << "\n"
                          << "exec " << program << "\n";
    std::string line = underDisplay("bash " + script.string());
    std::string log = (folder_ / "session.log").string();
    child_ = fork();
    if (child_ == 0) {
        setpgid(0, 0);
        int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int none = open("/dev/null", O_RDONLY);
        if (out >= 0 && none >= 0) {
            dup2(none, 0);
            dup2(out, 1);
            dup2(out, 2);
        }
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

WindowSession::~WindowSession()
{
    if (child_ <= 0) {
        return;
    }
    // Without the program xvfb-run ends and takes its display down; killed itself, it would
    // leave the display running.
    if (int pid = programId(); pid > 0) {
        kill(pid, SIGKILL);
    }
    if (!pollUntil([&] { return waitpid(child_, nullptr, WNOHANG) == child_; }, 30)) {
        kill(-child_, SIGKILL);
        waitpid(child_, nullptr, 0);
    }
}

int WindowSession::programId() const
{
    int pid = 0;
    // Whole once it ends in a newline; none when the program never started.
    pollUntil(
        [&] {
            std::string text = fileText(folder_ / "program.pid");
            if (text.empty() || text.back() != '\n') {
                return false;
            }
            pid = std::atoi(text.c_str());
            return true;
        },
        10);
    return pid;
}

CommandResult WindowSession::inDisplay(const std::string& command) const
{
    return runCommand(display_ + " " + command);
}

bool WindowSession::waitForWindow(double timeout)
{
    if (child_ <= 0) {
        return false;
    }
    bool found = pollUntil(
        [&] {
            if (display_.empty()) {
                std::istringstream lines(fileText(folder_ / "display"));
                std::string display;
                std::string authority;
                if (!std::getline(lines, display) || display.empty()) {
                    problem_ = "the virtual display did not start";
                    return false;
                }
                std::getline(lines, authority);
                display_ = "export DISPLAY='" + display + "' XAUTHORITY='" + authority + "';";
            }
            CommandResult search = inDisplay("xdotool search --onlyvisible --name '^Radixel$'");
            window_ = firstLine(search.output);
            problem_ = "no window: " + search.output;
            return search.status == 0 && !window_.empty() && window_.find_first_not_of("0123456789") == std::string::npos;
        },
        timeout);
    if (!found) {
        window_.clear();
        return false;
    }
    CommandResult focus = inDisplay("timeout " + std::to_string(int(std::ceil(timeout))) + " xdotool windowfocus --sync " + window_);
    problem_ = focus.status == 0 ? "" : "no focus: " + focus.output;
    return focus.status == 0;
}

bool WindowSession::click(int x, int y)
{
    return drag({{x, y}});
}

bool WindowSession::drag(const std::vector<std::pair<int, int>>& path)
{
    if (window_.empty() || path.empty()) {
        return false;
    }
    std::ostringstream command;
    command << "xdotool";
    for (size_t i = 0; i < path.size(); ++i) {
        command << " mousemove --window " << window_ << " " << path[i].first << " " << path[i].second;
        if (i == 0) {
            command << " mousedown 1";
        }
    }
    command << " mouseup 1";
    return inDisplay(command.str()).status == 0;
}

bool WindowSession::wheel(int x, int y, int steps)
{
    if (window_.empty() || steps == 0) {
        return false;
    }
    // X reports the wheel as buttons 4 (up) and 5 (down).
    std::ostringstream command;
    command << "xdotool mousemove --window " << window_ << " " << x << " " << y << " click --repeat " << std::abs(steps)
            << " --delay 50 " << (steps > 0 ? 5 : 4);
    return inDisplay(command.str()).status == 0;
}

bool WindowSession::type(const std::string& text)
{
    return !window_.empty() && inDisplay("xdotool type --delay 20 '" + text + "'").status == 0;
}

bool WindowSession::key(const std::string& name)
{
    return !window_.empty() && inDisplay("xdotool key " + name).status == 0;
}

std::optional<RGBPicture> WindowSession::capture()
{
    if (window_.empty()) {
        return std::nullopt;
    }
    auto dump = folder_ / "window.xwd";
    if (inDisplay("xwd -silent -id " + window_ + " > " + dump.string()).status != 0) {
        return std::nullopt;
    }
    return readXwd(dump);
}

double WindowSession::waitUntilShows(const RGBPicture& expected, double share, double timeout)
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
                // The program can keep showing the frame drawn just before an animation ended;
                // a window event makes it draw again, and the note keeps that fault in sight.
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

int WindowSession::finish()
{
    if (child_ <= 0) {
        return -1;
    }
    if (int pid = programId(); pid > 0) {
        kill(pid, SIGTERM);
    }
    int status = 0;
    // A sanitizer build checks for leaks as the program ends, which takes a while.
    bool ended = pollUntil([&] { return waitpid(child_, &status, WNOHANG) == child_; }, 60);
    if (!ended) {
        return -1;
    }
    child_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string WindowSession::output() const
{
    return problem_ + "\n" + fileText(folder_ / "session.log");
}
