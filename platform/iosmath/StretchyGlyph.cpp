#include "platform/iosmath/StretchyGlyph.hpp"

#include <algorithm>
#include <cmath>

namespace iosmath {

namespace {

// Far more than any formula within the parser's length limit can need.
constexpr int kMaxExtenderRepeats = 100000;

StretchyGlyphBox appendSingle(std::vector<MTDisplayItem>& items, const MathFont& font,
                              uint32_t glyph, double size, MathColor color, uint32_t shape) {
    double scale = size / font.unitsPerEm();
    const GlyphMetrics& m = font.metrics(glyph);
    MTDisplayItem item;
    item.glyph = glyph;
    item.shape = shape;
    item.color = color;
    item.size = size;
    items.push_back(item);
    return {m.advance * scale, m.ascent * scale, m.descent * scale};
}

StretchyGlyphBox appendAssembly(std::vector<MTDisplayItem>& items, const MathFont& font,
                                const std::vector<GlyphPart>& parts, double required,
                                double size, MathColor color, uint32_t shape) {
    const double minOverlap = font.minConnectorOverlap();
    double fixedLength = 0;
    double extenderLength = 0;
    int fixedCount = 0;
    int extenderCount = 0;
    for (const GlyphPart& part : parts) {
        if (part.extender) {
            extenderLength += part.fullAdvance;
            ++extenderCount;
        } else {
            fixedLength += part.fullAdvance;
            ++fixedCount;
        }
    }
    // Longest reach with the least overlap, without extenders and per round of extenders.
    double reach = fixedLength - (fixedCount - 1) * minOverlap;
    double step = extenderLength - extenderCount * minOverlap;
    int repeats = 0;
    if (reach < required && step > 0) {
        repeats = static_cast<int>(std::min<double>(kMaxExtenderRepeats, std::ceil((required - reach) / step)));
    }

    std::vector<const GlyphPart*> pieces;
    pieces.reserve(fixedCount + static_cast<size_t>(extenderCount) * repeats);
    for (const GlyphPart& part : parts) {
        int times = part.extender ? repeats : 1;
        for (int i = 0; i < times; ++i) pieces.push_back(&part);
    }
    if (pieces.empty()) return {};
    double total = 0;
    for (const GlyphPart* piece : pieces) total += piece->fullAdvance;
    double overlap = pieces.size() > 1 ? (total - required) / (pieces.size() - 1) : 0;

    double scale = size / font.unitsPerEm();
    double offset = 0;  // bottom of the current piece, font units
    double width = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            double widest = std::min(pieces[i - 1]->endConnector, pieces[i]->startConnector);
            double used = std::clamp(overlap, minOverlap, std::max(minOverlap, widest));
            offset += pieces[i - 1]->fullAdvance - used;
        }
        const GlyphMetrics& m = font.metrics(pieces[i]->glyph);
        MTDisplayItem item;
        item.glyph = pieces[i]->glyph;
        item.shape = shape;
        item.color = color;
        item.size = size;
        item.y = (offset + m.descent) * scale;
        items.push_back(item);
        width = std::max(width, m.advance * scale);
    }
    double height = (offset + pieces.back()->fullAdvance) * scale;
    return {width, height, 0};
}

}  // namespace

StretchyGlyphBox appendStretchyGlyph(std::vector<MTDisplayItem>& items, const MathFont& font,
                                     uint32_t glyph, double requiredHeight, double size,
                                     MathColor color, uint32_t shape, bool shapeAlways) {
    const double required = requiredHeight * font.unitsPerEm() / size;
    std::vector<GlyphVariant> variants = font.verticalVariants(glyph);
    uint32_t chosen = glyph;
    for (const GlyphVariant& variant : variants) {
        chosen = variant.glyph;
        if (variant.advance >= required) {
            return appendSingle(items, font, chosen, size, color, shapeAlways ? shape : 0);
        }
    }
    std::vector<GlyphPart> parts = font.verticalAssembly(glyph);
    if (!parts.empty()) return appendAssembly(items, font, parts, required, size, color, shape);
    return appendSingle(items, font, chosen, size, color, shapeAlways ? shape : 0);
}

}  // namespace iosmath
