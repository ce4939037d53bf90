#pragma once

#include "platform/iosmath/MathList.hpp"

#include <cairo.h>

#include <cstdint>
#include <vector>

// One piece of a typeset formula. Coordinates are in points relative to the left end of the
// formula's baseline, with y growing upwards as in the font.
struct MTDisplayItem {
    enum class Kind : uint8_t { Glyph, Rule };
    Kind kind = Kind::Glyph;
    uint32_t glyph = 0;
    // Items sharing a non-zero shape number are filled as one path (a stretched delimiter's
    // overlapping pieces, a radical sign with its bar), so no seam shows where they meet.
    uint32_t shape = 0;
    iosmath::MathColor color = iosmath::kInheritColor;
    double x = 0;
    double y = 0;       // glyph: baseline; rule: bottom edge
    double size = 0;    // glyph: font size in points
    double stretch = 1; // glyph: vertical scale about its baseline (stretched extenders only)
    double width = 0;   // rule
    double height = 0;  // rule
};

// A laid-out formula: its box and the glyphs and rules that draw it.
class MTMathListDisplay {
public:
    double width = 0;
    double ascent = 0;   // above the baseline
    double descent = 0;  // below the baseline, positive
    std::vector<MTDisplayItem> items;

    // Draws with the baseline's left end at (x, y) in user space; items without a colour of
    // their own take textColor (0xAARRGGBB).
    void draw(cairo_t* cr, double x, double y, iosmath::MathColor textColor) const;
};
