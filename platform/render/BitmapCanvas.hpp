#pragma once

#include <memory>
#include <optional>

#include "platform/render/CairoHandles.hpp"
#include "platform/uikit/UIImage.hpp"

namespace render {

// A transparent ARGB bitmap of a size in points at a scale, with a context drawing in points.
// What image renderers and image contexts draw into.
class BitmapCanvas {
public:
    // None for a size without area, a non-finite size or a bitmap larger than Cairo allows.
    static std::optional<BitmapCanvas> make(CGSize size, CGFloat scale);

    cairo_t* context() const { return context_.get(); }
    cairo_surface_t* surface() const { return surface_.get(); }
    CGFloat scale() const { return scale_; }

    // The pixels as an image, without copying them: the canvas must not draw afterwards,
    // because images never change.
    std::shared_ptr<UIImage> takeImage();
    // A copy of the pixels drawn so far.
    static std::shared_ptr<UIImage> snapshot(cairo_surface_t* surface, CGFloat scale);

private:
    BitmapCanvas(CairoSurface surface, CairoContext context, CGFloat scale)
        : surface_(std::move(surface)), context_(std::move(context)), scale_(scale)
    {
    }

    CairoSurface surface_;
    CairoContext context_;
    CGFloat scale_;
};

} // namespace render
