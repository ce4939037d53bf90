#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "WindowCapture.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "support/ScratchFolder.hpp"

namespace {

// The program under a virtual display, with a data folder of its own. In sanitizer builds the
// program's own leak check runs at its exit.
std::string underVirtualDisplay(const ScratchFolder& data, const std::string& command)
{
    return "RADIXEL_DATA_DIR=" + data.path().string() +
           " LSAN_OPTIONS=suppressions=" RADIXEL_WINDOW_SUPPRESSIONS " timeout 90 xvfb-run -a -s '-screen 0 600x1000x24' " + command;
}

void writeAnsweredDefaults(const ScratchFolder& data)
{
    std::ofstream(data.path() / "defaults.json") << R"({"isOnboardingFinished": true, "isDsgvoAccepted": true})";
}

CGPoint centreInWindow(UIView& view)
{
    CGRect frame = view.convertRectToView(view.bounds(), view.window().get());
    return {frame.midX(), frame.midY()};
}

std::shared_ptr<UIView> keyTitled(UIView& view, const std::string& title)
{
    for (const auto& sub : view.subviews()) {
        auto button = std::dynamic_pointer_cast<UIButton>(sub);
        if (button && button->titleForState(UIControlStateNormal) == title) {
            return button;
        }
        if (auto deeper = keyTitled(*sub, title)) {
            return deeper;
        }
    }
    return nullptr;
}

// The same application without a window, on a screen like the window host's: what the window
// must show after the same input.
class HeadlessTwin {
public:
    HeadlessTwin()
    {
        DefaultsKeys::isOnboardingFinished.set(true);
        DefaultsKeys::isDsgvoAccepted.set(true);
        app_ = h_.launch<AppDelegate>();
    }
    CalculateViewController& screen() { return *app_->calculateViewController(); }
    std::shared_ptr<UIView> key(const std::string& title) { return keyTitled(*screen().keypadStackView, title); }
    uikit::testing::Harness& harness() { return h_; }

    RGBPicture picture()
    {
        h_.finishAnimations();
        h_.runUntilIdle();
        auto window = h_.window();
        CGSize size = window->bounds().size;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(size.width), int(size.height));
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        window->layoutIfNeeded();
        window->layer()->renderInContext(cr);
        cairo_destroy(cr);
        RGBPicture picture = pictureOf(surface);
        cairo_surface_destroy(surface);
        return picture;
    }

private:
    ScratchDefaults defaults_;
    uikit::testing::Harness h_{uikit::testing::Harness::Options{{390, 844}, 1, {0, 0, 0, 0}}};
    std::shared_ptr<AppDelegate> app_;
};

} // namespace

TEST(AppWindow, FirstStartDrawsTheIntroductionUnderThePrivacyPromptAndEnds)
{
    if (!haveCommand("xvfb-run")) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScratchFolder data;
    auto shot = data.path() / "first-start.png";
    CommandResult run = runCommand(underVirtualDisplay(data, RADIXEL_APP_PATH " --scale 2 --screenshot " + shot.string()));
    ASSERT_EQ(run.status, 0) << run.output;
    auto image = UIImage::imageWithContentsOfFile(shot);
    ASSERT_TRUE(image);
    RGBPicture picture = pictureOf(image->CGImage());
    ASSERT_EQ(picture.width, 780);
    ASSERT_EQ(picture.height, 1688);
    // The prompt's white card with dark text lies over the introduction's picture.
    size_t light = 0;
    size_t dark = 0;
    for (uint32_t pixel : picture.pixels) {
        int g = (pixel >> 8) & 0xff;
        light += g > 200;
        dark += g < 60;
    }
    EXPECT_GT(light, picture.pixels.size() / 4);
    EXPECT_GT(dark, 2000u);
    // The first start seeded the history into the data folder.
    EXPECT_NE(runCommand("grep -c 7/3 " + (data.path() / "defaults.json").string()).output, "0\n");
}

TEST(AppWindow, RealClicksAndKeysSolveAndTheWindowShowsTheSolutionPage)
{
    for (const char* tool : {"xvfb-run", "xdotool", "xwd"}) {
        if (!haveCommand(tool)) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    HeadlessTwin twin;
    auto& screen = twin.screen();
    auto& h = twin.harness();
    std::ostringstream clicks;
    auto click = [&](const std::shared_ptr<UIView>& view) {
        ASSERT_TRUE(view);
        CGPoint at = centreInWindow(*view);
        clicks << "xdotool mousemove --window $wid " << int(at.x) << " " << int(at.y) << " click 1; sleep 0.3\n";
        ASSERT_TRUE(h.tap(view));
    };
    // p with the mouse on the keypad; q typed on the keyboard, a slip corrected with Backspace.
    click(screen.pTextField);
    for (const char* title : {"-", "2", ".", "4"}) {
        click(twin.key(title));
    }
    click(screen.qTextField);
    clicks << "xdotool type --delay 100 7/4; sleep 0.3; xdotool key BackSpace; xdotool type 3; sleep 0.3\n";
    screen.qTextField->insertText("7/4");
    screen.qTextField->deleteBackward();
    screen.qTextField->insertText("3");
    click(screen.calculateButton);
    RGBPicture expected = twin.picture();
    ASSERT_EQ(screen.qTextField->text(), "7/3");

    ScratchFolder data;
    writeAnsweredDefaults(data);
    auto script = data.path() / "drive.sh";
    auto dump = data.path() / "window.xwd";
    std::ofstream(script) << RADIXEL_APP_PATH " & app=$!\n"
                          << "wid=$(xdotool search --sync --name Radixel | head -1)\nsleep 1\n"
                          << "xdotool windowfocus --sync $wid\n"
                          << clicks.str() << "sleep 1\nxwd -silent -id $wid > " << dump.string() << "\nkill $app\nwait $app\n";
    CommandResult run = runCommand(underVirtualDisplay(data, "bash " + script.string()));
    ASSERT_EQ(run.status, 0) << run.output;
    auto shown = readXwd(dump);
    ASSERT_TRUE(shown) << run.output;
    EXPECT_LT(differingShare(*shown, expected, 40), 0.02);

    // The calculation went into the history in the data folder, after the example.
    auto stored = nlohmann::json::parse(std::ifstream(data.path() / "defaults.json"), nullptr, false);
    ASSERT_TRUE(stored.contains("Calculations")) << stored.dump();
    EXPECT_EQ(stored["Calculations"][0]["inputParameters"], (nlohmann::json{{"p", "-2.4"}, {"q", "7/3"}}));
}

TEST(AppWindow, WithoutADisplayItSaysHowToRunIt)
{
    CommandResult run = runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 " RADIXEL_APP_PATH);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("xvfb-run"), std::string::npos) << run.output;

    ScratchFolder data;
    CommandResult lost = runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER RADIXEL_RESOURCES=" + data.path().string() +
                                    "/none RADIXEL_DATA_DIR=" + data.path().string() + " timeout 20 " RADIXEL_APP_PATH);
    EXPECT_NE(lost.output.find("no resource folder at " + data.path().string() + "/none"), std::string::npos) << lost.output;

    CommandResult bad = runCommand("timeout 20 " RADIXEL_APP_PATH " --scale many");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("--scale"), std::string::npos) << bad.output;
}
