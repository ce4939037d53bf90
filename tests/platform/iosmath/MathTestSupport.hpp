#pragma once

#include "platform/iosmath/MathFont.hpp"
#include "platform/iosmath/MathSymbols.hpp"
#include "platform/iosmath/MathTypesetter.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace iosmath_test {

inline const iosmath::MathFont& font() {
    const iosmath::MathFont* loaded = iosmath::MathFont::shared();
    if (loaded == nullptr) ADD_FAILURE() << iosmath::MathFont::loadError();
    return *loaded;
}

// A MATH table constant in points at the given font size.
inline double points(hb_ot_math_constant_t which, double size) {
    return font().constant(which) * size / font().unitsPerEm();
}

inline double units(int32_t fontUnits, double size) { return fontUnits * size / font().unitsPerEm(); }

inline MTMathListDisplay layout(std::string_view latex, double size = 20,
                                iosmath::MathStyleLevel style = iosmath::MathStyleLevel::Display) {
    auto result = iosmath::MathTypesetter::layout(latex, size, style);
    EXPECT_TRUE(result.display.has_value()) << latex << ": " << result.error;
    return result.display ? *result.display : MTMathListDisplay{};
}

// The glyph a letter is drawn with in math italic.
inline uint32_t italicGlyph(char32_t letter) { return font().glyphForCodepoint(iosmath::mathItalic(letter)); }
inline uint32_t glyphOf(char32_t codepoint) { return font().glyphForCodepoint(codepoint); }

inline std::vector<MTDisplayItem> itemsWithGlyph(const MTMathListDisplay& display, uint32_t glyph) {
    std::vector<MTDisplayItem> found;
    for (const auto& item : display.items) {
        if (item.kind == MTDisplayItem::Kind::Glyph && item.glyph == glyph) found.push_back(item);
    }
    return found;
}

inline std::vector<MTDisplayItem> rules(const MTMathListDisplay& display) {
    std::vector<MTDisplayItem> found;
    for (const auto& item : display.items) {
        if (item.kind == MTDisplayItem::Kind::Rule) found.push_back(item);
    }
    return found;
}

// Ink extents of a placed glyph, in points.
inline double inkTop(const MTDisplayItem& item) { return item.y + units(font().metrics(item.glyph).ascent, item.size) * item.stretch; }
inline double inkBottom(const MTDisplayItem& item) { return item.y - units(font().metrics(item.glyph).descent, item.size) * item.stretch; }

}  // namespace iosmath_test
