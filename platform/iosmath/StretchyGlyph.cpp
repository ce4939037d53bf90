#include "platform/iosmath/StretchyGlyph.hpp"

#include <algorithm>
#include <cmath>

namespace iosmath {

namespace {

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

// Each run of repeated extenders is drawn as one extender stretched over the run's length:
// extenders are straight strokes, so this looks the same, and a delimiter stays a handful of
// items however tall it grows.
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
    double repeats = 0;
    if (reach < required && step > 0) repeats = std::ceil((required - reach) / step);
    const double pieceCount = fixedCount + extenderCount * repeats;
    if (pieceCount < 1) return {};
    const double total = fixedLength + repeats * extenderLength;
    // Spread what is too long evenly over the joins, within what each join's connectors allow.
    const double overlap = pieceCount > 1 ? (total - required) / (pieceCount - 1) : 0;
    auto joinOverlap = [&](const GlyphPart& below, const GlyphPart& above) {
        double widest = std::min(below.endConnector, above.startConnector);
        return std::clamp(overlap, minOverlap, std::max(minOverlap, widest));
    };

    const double scale = size / font.unitsPerEm();
    const GlyphPart* previous = nullptr;
    double previousBottom = 0;  // font units
    double previousLength = 0;
    double width = 0;
    for (const GlyphPart& part : parts) {
        const double copies = part.extender ? repeats : 1;
        if (copies < 1) continue;
        const double bottom = previous == nullptr ? 0 : previousBottom + previousLength - joinOverlap(*previous, part);
        const double inner = copies > 1 ? joinOverlap(part, part) : 0;
        const double length = copies * part.fullAdvance - (copies - 1) * inner;
        const double stretch = part.fullAdvance > 0 ? length / part.fullAdvance : 1;
        const GlyphMetrics& m = font.metrics(part.glyph);
        MTDisplayItem item;
        item.glyph = part.glyph;
        item.shape = shape;
        item.color = color;
        item.size = size;
        item.stretch = stretch;
        item.y = (bottom + m.descent * stretch) * scale;
        items.push_back(item);
        width = std::max(width, m.advance * scale);
        previous = &part;
        previousBottom = bottom;
        previousLength = length;
    }
    return {width, (previousBottom + previousLength) * scale, 0};
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
