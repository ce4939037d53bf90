// Drawing what the typesetter laid out: the display list itself, and the label that shows it.
#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

#include "MathTestSupport.hpp"

#include <cmath>
#include <memory>
#include <string>

using namespace iosmath_test;

namespace {

std::shared_ptr<MTMathUILabel> labelWith(const std::string& latex, CGRect frame = {0, 0, 400, 80}) {
    auto label = std::make_shared<MTMathUILabel>(frame);
    label->setLatex(latex);
    return label;
}

// The label drawn into its own bounds at scale 1, as the drawing backend draws views.
Raster drawn(const MTMathUILabel& label) {
    const CGSize size = label.bounds().size;
    return rasterize(static_cast<int>(size.width), static_cast<int>(size.height), [&](cairo_t* cr) {
        UIGraphicsPushContext(cr);
        label.drawRect(label.bounds());
        UIGraphicsPopContext();
    });
}

// A formula drawn in black, scaled, with a margin round it and its origin shifted by offset, in points.
Raster draw(const MTMathListDisplay& display, double scale, double margin, double offset = 0) {
    const int width = static_cast<int>(std::ceil((display.width + 2 * margin) * scale));
    const int height = static_cast<int>(std::ceil((display.ascent + display.descent + 2 * margin) * scale));
    return rasterize(width, height, [&](cairo_t* cr) {
        cairo_scale(cr, scale, scale);
        display.draw(cr, margin + offset, margin + offset + display.ascent, 0xFF000000u);
    });
}

}  // namespace

TEST(MTMathUILabel, ContentSizeFollowsTheFormulaSizeAndMode) {
    auto label = labelWith("x = \\frac{1}{2}");
    CGSize display = label->intrinsicContentSize();
    EXPECT_NEAR(display.width, label->displayList().width, 1e-9);
    EXPECT_NEAR(display.height, label->displayList().ascent + label->displayList().descent, 1e-9);

    label->setLabelMode(MTMathUILabelMode::Text);
    CGSize text = label->intrinsicContentSize();
    EXPECT_LT(text.height, display.height);  // the fraction shrinks within a line

    label->setFontSize(40);
    EXPECT_NEAR(label->intrinsicContentSize().width, 2 * text.width, 1e-6);
}

TEST(MTMathUILabel, BadLatexShowsItsErrorInRed) {
    auto label = labelWith("x = \\frak{1}{2}");
    ASSERT_TRUE(label->error());
    EXPECT_NE(label->error()->find("\\frak"), std::string::npos);
    EXPECT_GT(label->intrinsicContentSize().width, 0);
    const Raster raster = drawn(*label);
    EXPECT_TRUE(raster.has(0xFFFF0000u));
    EXPECT_FALSE(raster.has(0xFF000000u));

    label->setLatex(std::string(1 << 20, '{'));  // a megabyte of braces
    ASSERT_TRUE(label->error());
    label->setLatex("x");
    EXPECT_FALSE(label->error());
}

TEST(MTMathUILabel, DrawsInItsTextColourWithTheChosenAlignment) {
    auto label = labelWith("x + 1");
    label->setTextColor(UIColor::colorWithRed(0, 0, 1, 1));
    const Raster left = drawn(*label);
    EXPECT_TRUE(left.has(0xFF0000FFu));
    EXPECT_LE(left.ink(0x80).left, 2);

    label->setTextAlignment(MTTextAlignment::Right);
    const Raster right = drawn(*label);
    EXPECT_GE(right.ink(0x80).right, 397);
    EXPECT_NEAR(right.ink(0x80).right - right.ink(0x80).left, left.ink(0x80).right - left.ink(0x80).left, 1);
    label->setTextAlignment(MTTextAlignment::Center);
    EXPECT_NEAR(drawn(*label).ink(0x80).left, (400 - (right.ink(0x80).right - right.ink(0x80).left)) / 2, 1);
}

// An error message longer than the label is wide wraps onto more lines instead of being cut, and
// wraps anew when the label is resized.
TEST(MTMathUILabel, LongErrorMessagesWrapToTheLabelsWidth) {
    auto label = labelWith("\\begin{matrix} x \\end{matrix}", {0, 0, 150, 200});
    ASSERT_TRUE(label->error());
    EXPECT_LE(label->displayList().width, 150);
    EXPECT_GT(label->displayList().descent, label->fontSize());
    EXPECT_LT(drawn(*label).ink().right, 150);

    const CGFloat wrappedHeight = label->intrinsicContentSize().height;
    label->setFrame(CGRect{0, 0, 600, 200});
    label->layoutIfNeeded();
    EXPECT_LT(label->intrinsicContentSize().height, wrappedHeight / 1.5);
    EXPECT_NEAR(label->sizeThatFits(CGSize{150, 0}).height, wrappedHeight, 1e-9);
}

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
        const Raster raster = draw(display, scale, margin);
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
            const Raster raster = draw(display, scale, 4, origin);
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
