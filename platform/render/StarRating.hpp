#pragma once

#include <cairo.h>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIColor.hpp"

namespace render {

// A row of stars for a rating: full stars up to the rating, the star the rating ends in filled
// by its fraction (from the left), the rest as outlines. Star views draw themselves with it.
struct StarRatingStyle {
    int totalStars = 5;
    double starSize = 20;
    double starMargin = 5;
    CGColor filledColor{1, 0.58, 0, 1};
    CGColor emptyBorderColor{1, 0.58, 0, 1};
    double emptyBorderWidth = 1;
};

void drawStarRating(cairo_t* cr, CGPoint origin, double rating, const StarRatingStyle& style);

} // namespace render
