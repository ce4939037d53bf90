#include "platform/render/StarRating.hpp"

#include <algorithm>
#include <cmath>

#include "platform/render/CairoHandles.hpp"
#include "platform/render/ShapePaths.hpp"

namespace render {

void drawStarRating(cairo_t* cr, CGPoint origin, double rating, const StarRatingStyle& style)
{
    if (!std::isfinite(rating) || style.totalStars <= 0 || style.starSize <= 0) {
        rating = 0;
    }
    int total = std::clamp(style.totalStars, 0, 100);
    rating = std::clamp(rating, 0.0, double(total));
    double radius = style.starSize / 2;
    for (int i = 0; i < total; ++i) {
        double left = origin.x + i * (style.starSize + style.starMargin);
        CGPoint centre{left + radius, origin.y + radius};
        double fill = std::clamp(rating - i, 0.0, 1.0);
        CairoStateGuard state(cr);
        if (fill > 0) {
            CairoStateGuard clip(cr);
            cairo_rectangle(cr, left, origin.y, style.starSize * fill, style.starSize);
            cairo_clip(cr);
            addStar(cr, centre, radius);
            const CGColor& c = style.filledColor;
            cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
            cairo_fill(cr);
        }
        addStar(cr, centre, radius - style.emptyBorderWidth / 2);
        const CGColor& b = style.emptyBorderColor;
        cairo_set_source_rgba(cr, b.red, b.green, b.blue, b.alpha);
        cairo_set_line_width(cr, style.emptyBorderWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
}

} // namespace render
