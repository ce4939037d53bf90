#include <gtest/gtest.h>

#include "platform/render/HostOptions.hpp"

using render::parseHostOptions;

// Of two contrary options the last wins; a pad's screen is larger unless a size is given.
TEST(HostOptions, ParsesTheScreenAndStyleAndExplainsBadArguments)
{
    using Style = UIUserInterfaceStyle;
    using Idiom = UIUserInterfaceIdiom;
    struct Case { std::vector<std::string> arguments; Style style; Idiom idiom; CGSize size; double scale; };
    for (const auto& [arguments, style, idiom, size, scale] : std::vector<Case>{
             {{}, Style::Light, Idiom::Phone, {390, 844}, 1},
             {{"--dark", "--scale", "2", "--pad"}, Style::Dark, Idiom::Pad, {820, 1180}, 2},
             {{"--dark", "--light", "--pad", "--phone", "--scale", "4"}, Style::Light, Idiom::Phone, {390, 844}, 4},
             {{"--size", "4000x100", "--pad"}, Style::Light, Idiom::Pad, {4000, 100}, 1}}) {
        auto options = parseHostOptions(arguments).options;
        ASSERT_TRUE(options) << arguments.size();
        EXPECT_EQ(std::tuple(options->style, options->idiom, options->screenSize, options->scale, options->scaleGiven),
                  std::tuple(style, idiom, size, scale, scale != 1))
            << arguments.size();
    }
    auto given = parseHostOptions({"--screenshot", "out.png", "--exit-after-first-frame"}).options;
    ASSERT_TRUE(given);
    EXPECT_EQ(given->screenshot, std::filesystem::path("out.png"));
    EXPECT_TRUE(given->exitAfterFirstFrame);

    for (const auto& bad : std::vector<std::vector<std::string>>{{"--scale"}, {"--scale", "two"}, {"--scale", "0"}, {"--scale", "nan"},
             {"--scale", "4.5"}, {"--size", "10x10"}, {"--size", "390x4001"}, {"--size", "390"}, {"--screenshot", ""}, {"--frobnicate"}}) {
        auto result = parseHostOptions(bad);
        EXPECT_FALSE(result.options) << bad.front();
        EXPECT_FALSE(result.error.empty());
    }
}

// A window that would not fit the display is drawn smaller, in quarter steps down to a half.
TEST(HostOptions, AWindowTooLargeForTheDisplayIsScaledToFit)
{
    EXPECT_EQ(render::scaleToFit({390, 844}, 1920, 1080), 1);
    EXPECT_EQ(render::scaleToFit({820, 1180}, 1280, 1024), 0.75);
    EXPECT_EQ(render::scaleToFit({820, 1180}, 1920, 1050), 0.75);  // 0.89 of it fits
    EXPECT_EQ(render::scaleToFit({820, 1180}, 800, 600), 0.5);     // never below a half
    EXPECT_EQ(render::scaleToFit({390, 844}, 0, 0), 1);            // no display size known
}
