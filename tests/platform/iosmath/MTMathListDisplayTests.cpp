#include "MathTestSupport.hpp"

#include <cmath>
#include <string>

using namespace iosmath_test;

namespace {

// A formula drawn in black, scaled, with its origin at (x, y) in points.
Raster draw(const MTMathListDisplay& display, double scale, double x, double y, int width, int height) {
    return rasterize(width, height, [&](cairo_t* cr) {
        cairo_scale(cr, scale, scale);
        display.draw(cr, x, y, 0xFF000000u);
    });
}

}  // namespace

// A coloured part keeps its colour and the rest is drawn in the text colour; an empty fraction
// draws nothing, as TeX sets a rule of zero width.
TEST(MTMathListDisplay, DrawnInkStaysInsideTheLaidOutBoxInItsColours) {
    const char* formulas[] = {
        "x_{1,2} = - \\frac{(-2)}{2} \\pm \\sqrt{ \\left( \\frac{(-2)}{2} \\right)^2 -  (-3)}",
        "\\begin{eqalign} x_1 &=  (-1) + \\sqrt{(-4)} \\\\ x_2 &=  (-1) - \\sqrt{(-4)}\\end{eqalign}",
        "\\left\\{ \\begin{aligned} a \\\\ b \\\\ c \\\\ d \\end{aligned} \\right\\}",
        "\\text{Result: } x \\approx 3.0 \\quad \\color{red}{y \\neq \\infty}",
        "\\frac{}{}",
    };
    const double scale = 2;
    const double margin = 10;
    for (const std::string latex : formulas) {
        MTMathListDisplay display = layout(latex);
        const int width = static_cast<int>(std::ceil((display.width + 2 * margin) * scale));
        const int height = static_cast<int>(std::ceil((display.ascent + display.descent + 2 * margin) * scale));
        const Raster raster = draw(display, scale, margin, margin + display.ascent, width, height);
        const Raster::Box ink = raster.ink();
        if (latex == "\\frac{}{}") {
            EXPECT_EQ(ink.right, -1);
            continue;
        }
        ASSERT_GE(ink.right, 0) << latex << " drew nothing";
        const double slack = 1.5;  // anti-aliasing and pixel snapping
        EXPECT_GE(ink.left, margin * scale - slack) << latex;
        EXPECT_LE(ink.right, (margin + display.width) * scale + slack) << latex;
        EXPECT_GE(ink.top, margin * scale - slack) << latex;
        EXPECT_LE(ink.bottom, (margin + display.ascent + display.descent) * scale + slack) << latex;
        EXPECT_EQ(raster.has(0xFFFF0000u), latex.find("red") != std::string::npos) << latex;
    }
}

// A radical's bar is a rule like a fraction's: its top and bottom edges land on device pixels at
// any scale, so a column through it is fully inked rows and nothing in between, wherever the
// formula starts.
TEST(MTMathListDisplay, RadicalBarLandsOnDevicePixels) {
    MTMathListDisplay display = layout("\\sqrt{x} + \\sqrt{\\left(\\frac{p}{2}\\right)^2 - q}");
    auto bars = rules(display);
    ASSERT_EQ(bars.size(), 3u);
    const double thickness = points(HB_OT_MATH_CONSTANT_RADICAL_RULE_THICKNESS, 20);
    for (double scale : {1.0, 2.0, 3.0}) {
        for (double origin : {0.0, 0.3, 0.55}) {
            const double x = 4 + origin, y = 4 + origin + display.ascent;
            const int width = static_cast<int>(std::ceil((display.width + 8) * scale));
            const int height = static_cast<int>(std::ceil((display.ascent + display.descent + 8) * scale));
            const Raster raster = draw(display, scale, x, y, width, height);
            for (const auto& bar : bars) {
                if (bar.shape == 0) continue;  // the fraction's bar
                const int column = static_cast<int>((x + bar.x + bar.width / 2) * scale);
                // From the top of the image down to just above the bar's gap over the radicand.
                const int lastRow = static_cast<int>((y - bar.y + thickness) * scale) + 2;
                int inked = 0;
                for (int row = 0; row < lastRow; ++row) {
                    uint32_t pixel = raster.at(column, row);
                    if ((pixel >> 24) == 0) continue;
                    ++inked;
                    EXPECT_EQ(pixel >> 24, 0xFFu) << "scale " << scale << " origin " << origin << " row " << row;
                }
                EXPECT_GE(inked, std::max(1, static_cast<int>(thickness * scale))) << "scale " << scale;
                EXPECT_LE(inked, static_cast<int>(std::ceil(thickness * scale))) << "scale " << scale;
            }
        }
    }
}
