#include <gtest/gtest.h>

#include "platform/render/HostOptions.hpp"

using render::parseHostOptions;

TEST(HostOptions, ParsesTheScreenAndStyleAndExplainsBadArguments)
{
    auto given = parseHostOptions({"--dark", "--scale", "2", "--pad", "--screenshot", "out.png", "--exit-after-first-frame"});
    ASSERT_TRUE(given.options) << given.error;
    const auto& all = *given.options;
    EXPECT_EQ(std::tuple(all.style, all.scale, all.scaleGiven, all.idiom, all.screenSize, all.screenshot, all.exitAfterFirstFrame),
              std::tuple(UIUserInterfaceStyle::Dark, 2.0, true, UIUserInterfaceIdiom::Pad, CGSize{820, 1180},
                         std::filesystem::path("out.png"), true));
    // A given size wins over a pad's, limits included; of two contrary options the last wins.
    EXPECT_EQ(parseHostOptions({"--size", "4000x100", "--pad"}).options->screenSize, (CGSize{4000, 100}));
    EXPECT_FALSE(parseHostOptions({}).options->scaleGiven);
    auto last = parseHostOptions({"--dark", "--light", "--pad", "--phone", "--scale", "4"}).options;
    EXPECT_EQ(std::tuple(last->style, last->idiom, last->screenSize, last->scale),
              std::tuple(UIUserInterfaceStyle::Light, UIUserInterfaceIdiom::Phone, CGSize{390, 844}, 4.0));

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
