#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "platform/render/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIView.hpp"

// Reads pixels of images as straight (not premultiplied) 8-bit RGBA, for assertions.
struct RGBA {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 0;
};

inline RGBA pixelAt(const UIImage& image, int x, int y)
{
    cairo_surface_t* surface = image.CGImage();
    if (!surface || x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) || y >= cairo_image_surface_get_height(surface)) {
        return {-1, -1, -1, -1};
    }
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    int a = argb >> 24;
    auto straight = [a](uint32_t premultiplied) { return a == 0 ? 0 : static_cast<int>((premultiplied * 255 + a / 2) / a); };
    return {straight((argb >> 16) & 0xff), straight((argb >> 8) & 0xff), straight(argb & 0xff), a};
}

// The view drawn through its layer, at scale 1 unless given.
inline std::shared_ptr<UIImage> snapshot(const UIView& view, double scale = 1)
{
    UIGraphicsImageRendererFormat format;
    format.scale = scale;
    UIGraphicsImageRenderer renderer(view.bounds().size, format);
    return renderer.imageWithActions([&](const UIGraphicsImageRendererContext& context) { view.layer()->renderInContext(context.CGContext()); });
}

// An image of one colour, at the given scale.
inline std::shared_ptr<UIImage> solidImage(CGSize size, double scale, double r, double g, double b)
{
    UIGraphicsImageRendererFormat format;
    format.scale = scale;
    return UIGraphicsImageRenderer(size, format).imageWithActions([&](const UIGraphicsImageRendererContext& context) {
        cairo_set_source_rgb(context.CGContext(), r, g, b);
        context.fillRect({0, 0, size.width, size.height});
    });
}

inline bool isNear(const RGBA& p, int r, int g, int b, int a = 255, int tolerance = 3)
{
    auto close = [tolerance](int x, int y) { return x >= y - tolerance && x <= y + tolerance; };
    return close(p.r, r) && close(p.g, g) && close(p.b, b) && close(p.a, a);
}

constexpr RGBA kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255}, kWhite{255, 255, 255, 255},
    kBlack{0, 0, 0, 255}, kClear{0, 0, 0, 0};

// A pixel an image should have; a clear one must be wholly clear, whatever the tolerance.
struct Probe {
    int x, y;
    RGBA colour;
    int tolerance = 3;
};

inline void expectPixels(const UIImage& image, std::initializer_list<Probe> probes)
{
    for (const Probe& probe : probes) {
        RGBA p = pixelAt(image, probe.x, probe.y);
        const RGBA& c = probe.colour;
        EXPECT_TRUE(c.a == 0 ? p.a == 0 : isNear(p, c.r, c.g, c.b, c.a, probe.tolerance))
            << "at " << probe.x << "," << probe.y << ": " << p.r << " " << p.g << " " << p.b << " " << p.a;
    }
}
