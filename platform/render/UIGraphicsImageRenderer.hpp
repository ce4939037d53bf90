#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <cairo.h>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIImage.hpp"

// How an image renderer makes its images; the default takes the main screen's scale.
struct UIGraphicsImageRendererFormat {
    CGFloat scale = 1;
    bool opaque = false;
    static UIGraphicsImageRendererFormat defaultFormat();
};

// What the drawing actions get: the Cairo context (in points, origin top left) and the image so far.
class UIGraphicsImageRendererContext {
public:
    UIGraphicsImageRendererContext(cairo_t* context, cairo_surface_t* surface, CGFloat scale)
        : context_(context), surface_(surface), scale_(scale)
    {
    }
    cairo_t* CGContext() const { return context_; }
    std::shared_ptr<UIImage> currentImage() const;
    // Fills the rectangle with the context's current source colour.
    void fillRect(const CGRect& rect) const;

private:
    cairo_t* context_;
    cairo_surface_t* surface_;
    CGFloat scale_;
};

// Makes images by drawing: each call runs the actions on a fresh transparent bitmap of the size
// times the format's scale, with the context as the current graphics context. A size without
// area (or too large for a bitmap) gives no image; the actions then do not run.
class UIGraphicsImageRenderer {
public:
    using Actions = std::function<void(const UIGraphicsImageRendererContext&)>;

    explicit UIGraphicsImageRenderer(CGSize size);
    UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format);

    CGSize size() const { return size_; }
    const UIGraphicsImageRendererFormat& format() const { return format_; }

    std::shared_ptr<UIImage> imageWithActions(const Actions& actions) const;
    // The same image as PNG bytes.
    std::optional<std::vector<unsigned char>> PNGDataWithActions(const Actions& actions) const;

private:
    CGSize size_;
    UIGraphicsImageRendererFormat format_;
};
