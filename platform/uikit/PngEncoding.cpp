#include "platform/uikit/PngEncoding.hpp"

#include <csetjmp>
#include <cstdint>
#include <cstring>

#include <png.h>
#include <zlib.h>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// Cairo keeps colours premultiplied by alpha in native-endian 32-bit words; PNG wants straight
// RGBA bytes.
void unpremultiplyRow(const uint32_t* in, unsigned char* out, int width)
{
    for (int x = 0; x < width; ++x) {
        uint32_t pixel = in[x];
        unsigned alpha = pixel >> 24;
        unsigned red = (pixel >> 16) & 0xff, green = (pixel >> 8) & 0xff, blue = pixel & 0xff;
        if (alpha != 0 && alpha != 255) {
            red = (red * 255 + alpha / 2) / alpha;
            green = (green * 255 + alpha / 2) / alpha;
            blue = (blue * 255 + alpha / 2) / alpha;
        }
        out[4 * x] = static_cast<unsigned char>(red);
        out[4 * x + 1] = static_cast<unsigned char>(green);
        out[4 * x + 2] = static_cast<unsigned char>(blue);
        out[4 * x + 3] = static_cast<unsigned char>(alpha);
    }
}

}  // namespace

std::optional<std::vector<unsigned char>> encodePng(cairo_surface_t* surface)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
        return std::nullopt;
    }
    if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
        return std::nullopt;
    }
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    if (!pixels || width <= 0 || height <= 0) {
        return std::nullopt;
    }

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return std::nullopt;
    }
    // Everything libpng may jump over lives outside this frame, so the jump skips no destructor.
    std::vector<unsigned char> bytes;
    std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::nullopt;
    }
    png_set_write_fn(png, &bytes, appendBytes, flushNothing);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * stride);
        unpremultiplyRow(source, row.data(), width);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}
