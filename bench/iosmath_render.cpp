// Draws the sample formulas one below the other into a PNG, to judge the typesetting by eye:
//   iosmath_render <output.png> [scale [latex...]]
#include "bench/iosmath_formulas.hpp"
#include "platform/iosmath/MathTypesetter.hpp"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output.png> [scale]\n", argv[0]);
        return 2;
    }
    const double scale = argc > 2 ? std::atof(argv[2]) : 2.0;
    const double fontSize = 20;
    const double margin = 16;
    const double gap = 14;

    // Formulas given on the command line replace the samples.
    std::vector<std::string_view> formulas(argv + std::min(argc, 3), argv + argc);
    if (formulas.empty()) {
        formulas.assign(iosmath_samples::kRunForMinus2Minus3.begin(),
                        iosmath_samples::kRunForMinus2Minus3.end());
        formulas.insert(formulas.end(), iosmath_samples::kLongestForFractions.begin(),
                        iosmath_samples::kLongestForFractions.end());
    }

    std::vector<MTMathListDisplay> displays;
    double width = 0;
    double height = margin;
    for (std::string_view latex : formulas) {
        auto result = iosmath::MathTypesetter::layout(latex, fontSize);
        if (!result.display) {
            std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(latex.size()), latex.data(),
                         result.error.c_str());
            return 1;
        }
        width = std::max(width, result.display->width);
        height += result.display->ascent + result.display->descent + gap;
        displays.push_back(std::move(*result.display));
    }
    const int pixelWidth = static_cast<int>((width + 2 * margin) * scale);
    const int pixelHeight = static_cast<int>((height + margin) * scale);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    double y = margin;
    for (const MTMathListDisplay& display : displays) {
        y += display.ascent;
        display.draw(cr, margin, y, 0xFF000000u);
        y += display.descent + gap;
    }
    cairo_destroy(cr);
    cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
