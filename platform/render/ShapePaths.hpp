#pragma once

#include <cairo.h>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/CGPath.hpp"

namespace render {

// Adds a rectangle with round corners to the context's path; the radius is capped at half the
// shorter side, as layers do.
void addRoundedRect(cairo_t* cr, const CGRect& rect, double radius);
void addPath(cairo_t* cr, const CGPath& path);
// A five-pointed star filling the square's inscribed circle, tip up.
void addStar(cairo_t* cr, CGPoint centre, double outerRadius);

} // namespace render
