#pragma once

#include <cairo.h>
#include <hb-ot.h>
#include <hb.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace iosmath {

// Ink box and advance of one glyph, in font units (y grows upwards).
struct GlyphMetrics {
    int32_t advance = 0;
    int32_t italicCorrection = 0;
    int32_t ascent = 0;   // top of the ink above the baseline
    int32_t descent = 0;  // bottom of the ink below the baseline (positive when below)
    int32_t inkLeft = 0;
    int32_t inkRight = 0;
};

struct GlyphVariant {
    uint32_t glyph = 0;
    int32_t advance = 0;  // height plus depth along the stretch direction
};

struct GlyphPart {
    uint32_t glyph = 0;
    int32_t startConnector = 0;
    int32_t endConnector = 0;
    int32_t fullAdvance = 0;
    bool extender = false;
};

// The process-wide math font: Latin Modern Math, found through fontconfig. Glyph metrics are
// read once at load, so lookups during layout are plain array reads and safe from any thread.
class MathFont {
public:
    // The font, or nullptr when it cannot be loaded; loadError() then says why.
    static const MathFont* shared();
    static const std::string& loadError();

    ~MathFont();
    MathFont(const MathFont&) = delete;
    MathFont& operator=(const MathFont&) = delete;

    int32_t unitsPerEm() const { return unitsPerEm_; }
    // A MATH table constant in font units (percentages stay percentages).
    int32_t constant(hb_ot_math_constant_t which) const { return constants_[which]; }

    // 0 when the font has no glyph for the character.
    uint32_t glyphForCodepoint(char32_t codepoint) const;
    const GlyphMetrics& metrics(uint32_t glyph) const;

    // Larger forms of a glyph for vertical stretching, smallest first (the glyph itself included).
    std::vector<GlyphVariant> verticalVariants(uint32_t glyph) const;
    // Pieces of a vertical assembly, bottom to top; empty when the glyph has none.
    std::vector<GlyphPart> verticalAssembly(uint32_t glyph) const;
    int32_t minConnectorOverlap() const { return minConnectorOverlap_; }

    cairo_font_face_t* cairoFace() const { return cairoFace_; }
    // Whether outer contours run clockwise with y growing upwards; a rule merged into the same
    // path as glyphs must run the same way, or the nonzero winding rule would punch a hole.
    bool outlinesClockwise() const { return outlinesClockwise_; }

private:
    struct Loaded {
        std::unique_ptr<MathFont> font;
        std::string error;
    };
    MathFont() = default;
    static const Loaded& loaded();
    static std::unique_ptr<MathFont> load(std::string& error);

    hb_blob_t* blob_ = nullptr;
    hb_face_t* face_ = nullptr;
    hb_font_t* font_ = nullptr;
    cairo_font_face_t* cairoFace_ = nullptr;
    int32_t unitsPerEm_ = 1000;
    int32_t minConnectorOverlap_ = 0;
    bool outlinesClockwise_ = false;
    std::vector<int32_t> constants_;
    std::vector<GlyphMetrics> metrics_;
    uint32_t asciiGlyphs_[128] = {};
    std::unordered_map<char32_t, uint32_t> glyphs_;
};

}  // namespace iosmath
