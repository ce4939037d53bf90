#include "platform/render/ImageDrawing.hpp"

#include <algorithm>

#include "platform/render/CairoHandles.hpp"
#include "platform/render/IconGlyphs.hpp"

namespace render {

CGRect imageRectForContentMode(CGSize imageSize, const CGRect& box, UIViewContentMode mode)
{
    double w = imageSize.width;
    double h = imageSize.height;
    if (w <= 0 || h <= 0) {
        return {box.origin, CGSizeZero};
    }
    switch (mode) {
    case UIViewContentMode::ScaleToFill:
    case UIViewContentMode::Redraw: return box;
    case UIViewContentMode::ScaleAspectFit:
    case UIViewContentMode::ScaleAspectFill: {
        double sx = box.size.width / w;
        double sy = box.size.height / h;
        double s = mode == UIViewContentMode::ScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        return {box.midX() - w * s / 2, box.midY() - h * s / 2, w * s, h * s};
    }
    default: break;
    }
    double x = box.midX() - w / 2;
    double y = box.midY() - h / 2;
    switch (mode) {
    case UIViewContentMode::Top: y = box.minY(); break;
    case UIViewContentMode::Bottom: y = box.maxY() - h; break;
    case UIViewContentMode::Left: x = box.minX(); break;
    case UIViewContentMode::Right: x = box.maxX() - w; break;
    case UIViewContentMode::TopLeft: x = box.minX(), y = box.minY(); break;
    case UIViewContentMode::TopRight: x = box.maxX() - w, y = box.minY(); break;
    case UIViewContentMode::BottomLeft: x = box.minX(), y = box.maxY() - h; break;
    case UIViewContentMode::BottomRight: x = box.maxX() - w, y = box.maxY() - h; break;
    default: break;
    }
    return {x, y, w, h};
}

void drawImage(cairo_t* cr, const UIImage& image, const CGRect& box, UIViewContentMode mode, const CGColor& tint)
{
    CGRect target = imageRectForContentMode(image.size(), box, mode);
    if (target.width() <= 0 || target.height() <= 0) {
        return;
    }
    cairo_surface_t* pixels = image.CGImage();
    if (!pixels) {
        IconGlyphs::draw(cr, image.name(), target, tint);
        return;
    }
    CairoStateGuard state(cr);
    cairo_rectangle(cr, box.origin.x, box.origin.y, box.size.width, box.size.height);
    cairo_clip(cr);
    cairo_translate(cr, target.origin.x, target.origin.y);
    cairo_scale(cr, target.size.width / cairo_image_surface_get_width(pixels), target.size.height / cairo_image_surface_get_height(pixels));
    if (image.renderingMode() == UIImageRenderingMode::AlwaysTemplate) {
        cairo_set_source_rgba(cr, tint.red, tint.green, tint.blue, tint.alpha);
        cairo_mask_surface(cr, pixels, 0, 0);
    } else {
        cairo_set_source_surface(cr, pixels, 0, 0);
        cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
        cairo_paint(cr);
    }
}

} // namespace render
