#pragma once

#include "platform/iosmath/MTMathListDisplay.hpp"
#include "platform/iosmath/MathFont.hpp"

#include <vector>

namespace iosmath {

struct StretchyGlyphBox {
    double width = 0;
    double ascent = 0;
    double descent = 0;
};

// Appends a delimiter or radical sign at least `requiredHeight` points tall: the first of the
// font's larger variants that is big enough, else a glyph assembly of its pieces (extenders
// repeated as needed), else the largest variant there is. The result sits on the baseline as
// its glyphs do; the caller moves it into place. Pieces of an assembly get `shape`, so they
// fill as one path; a single glyph gets it only when `shapeAlways` is set.
StretchyGlyphBox appendStretchyGlyph(std::vector<MTDisplayItem>& items, const MathFont& font,
                                     uint32_t glyph, double requiredHeight, double size,
                                     MathColor color, uint32_t shape, bool shapeAlways);

}  // namespace iosmath
