#pragma once

#include <optional>
#include <string>

#include <cairo.h>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIColor.hpp"

namespace render {

// Icons that come as names rather than pixels, the Material framework's ("ic_menu_white") and
// the system symbols ("square.and.arrow.up"), drawn from the Material Icons font that Debian
// packages (fonts-material-design-icons-iconfont).
class IconGlyphs {
public:
    // The font's code point for the image name; none for names it has no icon for.
    static std::optional<char32_t> codePointFor(const std::string& imageName);
    // Draws the icon to fill the square centred in the rectangle; false when the name has no icon.
    static bool draw(cairo_t* cr, const std::string& imageName, const CGRect& rect, const CGColor& color);
};

} // namespace render
