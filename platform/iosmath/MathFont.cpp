#include "platform/iosmath/MathFont.hpp"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstring>

namespace iosmath {

namespace {

constexpr const char* kFamily = "Latin Modern Math";
constexpr int kConstantCount = HB_OT_MATH_CONSTANT_RADICAL_DEGREE_BOTTOM_RAISE_PERCENT + 1;

// fontconfig falls back to any font when the family is missing, so the answer is only taken
// when it really is the family asked for.
std::string findFontFile(std::string& error) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFamily));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::string path;
    if (match != nullptr) {
        FcChar8* family = nullptr;
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
            FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
            std::strcmp(reinterpret_cast<const char*>(family), kFamily) == 0) {
            path = reinterpret_cast<const char*>(file);
        }
        FcPatternDestroy(match);
    }
    if (path.empty()) {
        error = std::string("The math font \"") + kFamily + "\" is not installed";
    }
    return path;
}

// Cairo may hold on to the face after we let go of it, so the FreeType face is freed when
// cairo frees the face, and not before.
struct FreeTypeHandles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

void releaseFreeType(void* data) {
    auto* handles = static_cast<FreeTypeHandles*>(data);
    FT_Done_Face(handles->face);
    FT_Done_FreeType(handles->library);
    delete handles;
}

const cairo_user_data_key_t kFreeTypeKey{};

}  // namespace

const MathFont* MathFont::shared() { return loaded().font.get(); }

const std::string& MathFont::loadError() { return loaded().error; }

const MathFont::Loaded& MathFont::loaded() {
    static const Loaded once = [] {
        Loaded result;
        result.font = load(result.error);
        return result;
    }();
    return once;
}

std::unique_ptr<MathFont> MathFont::load(std::string& error) {
    std::string path = findFontFile(error);
    if (path.empty()) return nullptr;

    std::unique_ptr<MathFont> font(new MathFont());
    font->blob_ = hb_blob_create_from_file_or_fail(path.c_str());
    if (font->blob_ == nullptr) {
        error = "Cannot read the math font file " + path;
        return nullptr;
    }
    font->face_ = hb_face_create(font->blob_, 0);
    if (!hb_ot_math_has_data(font->face_)) {
        error = "The font " + path + " has no MATH table";
        return nullptr;
    }
    font->unitsPerEm_ = static_cast<int32_t>(hb_face_get_upem(font->face_));
    font->font_ = hb_font_create(font->face_);
    hb_font_set_scale(font->font_, font->unitsPerEm_, font->unitsPerEm_);

    font->constants_.resize(kConstantCount);
    for (int i = 0; i < kConstantCount; ++i) {
        font->constants_[i] =
            hb_ot_math_get_constant(font->font_, static_cast<hb_ot_math_constant_t>(i));
    }
    font->minConnectorOverlap_ = hb_ot_math_get_min_connector_overlap(font->font_, HB_DIRECTION_BTT);

    unsigned glyphCount = hb_face_get_glyph_count(font->face_);
    font->metrics_.resize(glyphCount);
    for (unsigned glyph = 0; glyph < glyphCount; ++glyph) {
        GlyphMetrics& m = font->metrics_[glyph];
        m.advance = hb_font_get_glyph_h_advance(font->font_, glyph);
        m.italicCorrection = hb_ot_math_get_glyph_italics_correction(font->font_, glyph);
        hb_glyph_extents_t extents{};
        if (hb_font_get_glyph_extents(font->font_, glyph, &extents)) {
            m.ascent = extents.y_bearing;
            m.descent = -(extents.y_bearing + extents.height);
            m.inkLeft = extents.x_bearing;
            m.inkRight = extents.x_bearing + extents.width;
        }
    }

    hb_set_t* unicodes = hb_set_create();
    hb_face_collect_unicodes(font->face_, unicodes);
    font->glyphs_.reserve(hb_set_get_population(unicodes));
    hb_codepoint_t codepoint = HB_SET_VALUE_INVALID;
    while (hb_set_next(unicodes, &codepoint)) {
        hb_codepoint_t glyph = 0;
        if (hb_font_get_nominal_glyph(font->font_, codepoint, &glyph)) {
            if (codepoint < 128) font->asciiGlyphs_[codepoint] = glyph;
            font->glyphs_.emplace(codepoint, glyph);
        }
    }
    hb_set_destroy(unicodes);

    auto* freeType = new FreeTypeHandles;
    if (FT_Init_FreeType(&freeType->library) != 0 ||
        FT_New_Face(freeType->library, path.c_str(), 0, &freeType->face) != 0) {
        if (freeType->library != nullptr) FT_Done_FreeType(freeType->library);
        delete freeType;
        error = "FreeType cannot open the math font " + path;
        return nullptr;
    }
    FT_Face face = freeType->face;
    uint32_t radical = font->glyphForCodepoint(U'\u221A');
    if (radical != 0 && FT_Load_Glyph(face, radical, FT_LOAD_NO_SCALE) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        font->outlinesClockwise_ =
            FT_Outline_Get_Orientation(&face->glyph->outline) == FT_ORIENTATION_TRUETYPE;
    }
    font->cairoFace_ = cairo_ft_font_face_create_for_ft_face(face, 0);
    if (cairo_font_face_set_user_data(font->cairoFace_, &kFreeTypeKey, freeType, releaseFreeType) !=
        CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(font->cairoFace_);
        font->cairoFace_ = nullptr;
        releaseFreeType(freeType);
        error = "Cairo cannot use the math font " + path;
        return nullptr;
    }
    return font;
}

MathFont::~MathFont() {
    if (cairoFace_ != nullptr) cairo_font_face_destroy(cairoFace_);
    if (font_ != nullptr) hb_font_destroy(font_);
    if (face_ != nullptr) hb_face_destroy(face_);
    if (blob_ != nullptr) hb_blob_destroy(blob_);
}

uint32_t MathFont::glyphForCodepoint(char32_t codepoint) const {
    if (codepoint < 128) return asciiGlyphs_[codepoint];
    auto found = glyphs_.find(codepoint);
    return found == glyphs_.end() ? 0 : found->second;
}

const GlyphMetrics& MathFont::metrics(uint32_t glyph) const {
    static const GlyphMetrics none;
    return glyph < metrics_.size() ? metrics_[glyph] : none;
}

std::vector<GlyphVariant> MathFont::verticalVariants(uint32_t glyph) const {
    hb_ot_math_glyph_variant_t variants[32];
    unsigned count = 32;
    hb_ot_math_get_glyph_variants(font_, glyph, HB_DIRECTION_BTT, 0, &count, variants);
    std::vector<GlyphVariant> result;
    result.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        result.push_back({variants[i].glyph, variants[i].advance});
    }
    return result;
}

std::vector<GlyphPart> MathFont::verticalAssembly(uint32_t glyph) const {
    hb_ot_math_glyph_part_t parts[16];
    unsigned count = 16;
    hb_position_t italics = 0;
    hb_ot_math_get_glyph_assembly(font_, glyph, HB_DIRECTION_BTT, 0, &count, parts, &italics);
    std::vector<GlyphPart> result;
    result.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        result.push_back({parts[i].glyph, parts[i].start_connector_length,
                          parts[i].end_connector_length, parts[i].full_advance,
                          (parts[i].flags & HB_OT_MATH_GLYPH_PART_FLAG_EXTENDER) != 0});
    }
    return result;
}

}  // namespace iosmath
