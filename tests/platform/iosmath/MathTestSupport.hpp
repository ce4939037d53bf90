#pragma once

#include "platform/iosmath/MathFont.hpp"
#include "platform/iosmath/MathSymbols.hpp"
#include "platform/iosmath/MathTypesetter.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
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

// The one glyph item of that glyph; a failure and an empty item when there is not exactly one.
inline MTDisplayItem only(const MTMathListDisplay& display, uint32_t glyph) {
    auto found = itemsWithGlyph(display, glyph);
    if (found.size() != 1) ADD_FAILURE() << found.size() << " items of glyph " << glyph;
    return found.size() == 1 ? found[0] : MTDisplayItem{};
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

// What a drawing left on a clear image, as 0xAARRGGBB pixels row by row.
struct Raster {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool has(uint32_t colour) const { return std::find(pixels.begin(), pixels.end(), colour) != pixels.end(); }
    // The box around the pixels at least this opaque; right is -1 when there are none.
    struct Box {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    };
    Box ink(uint32_t minAlpha = 1) const {
        Box box;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if ((at(x, y) >> 24) < minAlpha) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
            }
        }
        return box;
    }
};

template <class Draw>
Raster rasterize(int width, int height, Draw&& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    Raster raster{width, height, {}};
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int row = 0; row < height; ++row) {
        const auto* line = reinterpret_cast<const uint32_t*>(data + row * cairo_image_surface_get_stride(surface));
        raster.pixels.insert(raster.pixels.end(), line, line + width);
    }
    cairo_surface_destroy(surface);
    return raster;
}

}  // namespace iosmath_test
