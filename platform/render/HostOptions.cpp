#include "platform/render/HostOptions.hpp"

#include <charconv>
#include <algorithm>
#include <cmath>

namespace render {
namespace {

std::optional<double> parseNumber(const std::string& text, double lowest, double highest)
{
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

std::optional<CGSize> parseSize(const std::string& text)
{
    auto x = text.find('x');
    if (x == std::string::npos) {
        return std::nullopt;
    }
    auto w = parseNumber(text.substr(0, x), 100, 4000);
    auto h = parseNumber(text.substr(x + 1), 100, 4000);
    if (!w || !h) {
        return std::nullopt;
    }
    return CGSize{*w, *h};
}

} // namespace

HostOptionsResult parseHostOptions(const std::vector<std::string>& arguments)
{
    HostOptions options;
    bool sizeGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) {
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (argument == "--dark") {
            options.style = UIUserInterfaceStyle::Dark;
        } else if (argument == "--light") {
            options.style = UIUserInterfaceStyle::Light;
        } else if (argument == "--pad") {
            options.idiom = UIUserInterfaceIdiom::Pad;
        } else if (argument == "--phone") {
            options.idiom = UIUserInterfaceIdiom::Phone;
        } else if (argument == "--scale") {
            auto text = value();
            auto scale = text ? parseNumber(*text, 0.5, 4) : std::nullopt;
            if (!scale) {
                return {std::nullopt, "--scale needs a number from 0.5 to 4, for example --scale 2"};
            }
            options.scale = *scale;
            options.scaleGiven = true;
        } else if (argument == "--size") {
            auto text = value();
            auto size = text ? parseSize(*text) : std::nullopt;
            if (!size) {
                return {std::nullopt, "--size needs WIDTHxHEIGHT in points (100 to 4000 each), for example --size 390x844"};
            }
            options.screenSize = *size;
            sizeGiven = true;
        } else if (argument == "--screenshot") {
            auto text = value();
            if (!text || text->empty()) {
                return {std::nullopt, "--screenshot needs the path of a PNG file to write"};
            }
            options.screenshot = *text;
        } else if (argument == "--exit-after-first-frame") {
            options.exitAfterFirstFrame = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else {
            return {std::nullopt, "unknown argument \"" + argument + "\""};
        }
    }
    if (options.idiom == UIUserInterfaceIdiom::Pad && !sizeGiven) {
        options.screenSize = {820, 1180};
    }
    return {options, ""};
}

std::string hostUsage(const std::string& program)
{
    return "usage: " + program +
           " [--dark|--light] [--scale N] [--size WxH] [--pad|--phone] [--screenshot FILE.png] [--exit-after-first-frame]\n"
           "  --scale N      pixels per point (0.5 to 4; default 1, less where the window would not fit\n"
           "                 the display; HiDPI is not detected)\n"
           "  --size WxH     screen size in points (default 390x844, a pad 820x1180)\n"
           "  --screenshot   write the window as PNG once it has settled, then exit\n"
           "  --exit-after-first-frame  exit after the first frame, saying so (a screenshot then shows that frame)\n"
           "Without a display, run it under a virtual one: xvfb-run -a " +
           program + "\n";
}

double scaleToFit(CGSize screenSize, double areaWidth, double areaHeight)
{
    if (!(screenSize.width > 0) || !(screenSize.height > 0) || !(areaWidth > 0) || !(areaHeight > 0)) {
        return 1;
    }
    double fit = std::min(areaWidth / screenSize.width, areaHeight / screenSize.height);
    if (!(fit < 1)) {
        return 1;
    }
    return std::max(0.5, std::floor(fit * 4) / 4);
}

} // namespace render
