#include "platform/render/BitmapCanvas.hpp"

#include <cmath>

namespace render {
namespace {
constexpr double maxPixelSide = 32767;
}

std::optional<BitmapCanvas> BitmapCanvas::make(CGSize size, CGFloat scale)
{
    if (!(std::isfinite(scale) && scale > 0)) {
        scale = 1;
    }
    double w = std::ceil(size.width * scale - 1e-9);
    double h = std::ceil(size.height * scale - 1e-9);
    if (!(std::isfinite(w) && std::isfinite(h)) || w < 1 || h < 1 || w > maxPixelSide || h > maxPixelSide) {
        return std::nullopt;
    }
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(w), static_cast<int>(h)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return std::nullopt;
    }
    CairoContext context(cairo_create(surface.get()));
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) {
        return std::nullopt;
    }
    cairo_scale(context.get(), scale, scale);
    return BitmapCanvas(std::move(surface), std::move(context), scale);
}

std::shared_ptr<UIImage> BitmapCanvas::takeImage()
{
    cairo_surface_flush(surface_.get());
    return UIImage::imageWithSurface(surface_.get(), scale_);
}

std::shared_ptr<UIImage> BitmapCanvas::snapshot(cairo_surface_t* surface, CGFloat scale)
{
    if (!surface) {
        return nullptr;
    }
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface);
    int h = cairo_image_surface_get_height(surface);
    CairoSurface copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    CairoContext cr(cairo_create(copy.get()));
    cairo_set_source_surface(cr.get(), surface, 0, 0);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
    cr.reset();
    return UIImage::imageWithSurface(copy.get(), scale);
}

} // namespace render
