#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UITraitCollection.hpp"

namespace render {

// The window host's command line.
struct HostOptions {
    CGSize screenSize{390, 844};
    double scale = 1;
    // Whether --scale set it; otherwise a window is drawn smaller where it would not fit.
    bool scaleGiven = false;
    UIUserInterfaceIdiom idiom = UIUserInterfaceIdiom::Phone;
    UIUserInterfaceStyle style = UIUserInterfaceStyle::Light;
    std::optional<std::filesystem::path> screenshot;
    bool exitAfterFirstFrame = false;
    bool help = false;
};

// Parses the arguments after the program name; on a bad argument answers the message.
struct HostOptionsResult {
    std::optional<HostOptions> options;
    std::string error;
};
HostOptionsResult parseHostOptions(const std::vector<std::string>& arguments);

std::string hostUsage(const std::string& program);

// The scale at which a screen of that size in points fits an area of the display in pixels: 1
// when it fits, otherwise smaller in quarter steps, never below a half.
double scaleToFit(CGSize screenSize, double areaWidth, double areaHeight);

} // namespace render
