#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "platform/uikit/UIImage.hpp"

namespace {

struct CommandResult {
    int status = -1;
    std::string output;
};

// Runs a shell command line (built from fixed parts only), with its output.
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

bool haveXvfb()
{
    return runCommand("command -v xvfb-run").status == 0;
}

} // namespace

TEST(AppWindow, ShowsTheSolutionUnderAVirtualDisplay)
{
    if (!haveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    auto shot = std::filesystem::temp_directory_path() / ("radixel-window-" + std::to_string(::getpid()) + ".png");
    // In sanitizer builds the program's own leak check runs at its exit.
    CommandResult run = runCommand("LSAN_OPTIONS=suppressions=" RADIXEL_WINDOW_SUPPRESSIONS " timeout 60 xvfb-run -a " RADIXEL_APP_PATH
                                   " --scale 2 --screenshot " + shot.string() + " --exit-after-first-frame");
    ASSERT_EQ(run.status, 0) << run.output;
    auto image = UIImage::imageWithContentsOfFile(shot);
    std::filesystem::remove(shot);
    ASSERT_TRUE(image);
    cairo_surface_t* pixels = image->CGImage();
    ASSERT_EQ(cairo_image_surface_get_width(pixels), 780);
    ASSERT_EQ(cairo_image_surface_get_height(pixels), 1688);

    // Not blank: a light background with plenty of dark ink (titles and formulas) on it.
    const unsigned char* data = cairo_image_surface_get_data(pixels);
    int stride = cairo_image_surface_get_stride(pixels);
    size_t light = 0;
    size_t dark = 0;
    std::set<uint32_t> colours;
    for (int y = 0; y < 1688; y += 2) {
        for (int x = 0; x < 780; x += 2) {
            uint32_t argb = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
            colours.insert(argb);
            int g = (argb >> 8) & 0xff;
            light += g > 200;
            dark += g < 60;
        }
    }
    EXPECT_GT(light, 200000u);
    EXPECT_GT(dark, 2000u);
    EXPECT_GT(colours.size(), 20u);
}

TEST(AppWindow, WithoutADisplayItSaysHowToRunIt)
{
    CommandResult run = runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 " RADIXEL_APP_PATH);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("xvfb-run"), std::string::npos) << run.output;

    CommandResult bad = runCommand("timeout 20 " RADIXEL_APP_PATH " --scale many");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("--scale"), std::string::npos) << bad.output;
}
