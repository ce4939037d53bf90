// Any text given to the math label must end in a formula or an error message, never a crash.
#include "platform/iosmath/MathTypesetter.hpp"

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view latex(reinterpret_cast<const char*>(data), size);
    auto result = iosmath::MathTypesetter::layout(latex, 20);
    if (!result.display) {
        if (result.error.empty()) __builtin_trap();
        return 0;
    }
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 2, 2);
    result.display->draw(cr, 0, result.display->ascent, 0xFF000000u);
    cairo_destroy(cr);
    return 0;
}
