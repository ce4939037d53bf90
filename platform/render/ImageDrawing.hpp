#pragma once

#include <memory>

#include <cairo.h>

#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIView.hpp"

namespace render {

// Where an image of the given size goes in the box under a content mode.
CGRect imageRectForContentMode(CGSize imageSize, const CGRect& box, UIViewContentMode mode);

// Draws an image into the box: its pixels (template images as a silhouette in the tint), or
// for named icons without pixels the icon glyph in the tint.
void drawImage(cairo_t* cr, const UIImage& image, const CGRect& box, UIViewContentMode mode, const CGColor& tint);

} // namespace render
