#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>
#include <string>

namespace {

std::shared_ptr<MTMathUILabel> labelWith(const std::string& latex) {
    auto label = std::make_shared<MTMathUILabel>(CGRect{0, 0, 400, 80});
    label->setLatex(latex);
    return label;
}

// Horizontal extent of the ink a label draws into its own bounds, in pixels at scale 1, and
// the most opaque pixel drawn.
std::pair<int, int> inkColumns(const MTMathUILabel& label, uint32_t* strongestPixel = nullptr) {
    const int width = static_cast<int>(label.bounds().size.width);
    const int height = static_cast<int>(label.bounds().size.height);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    UIGraphicsPushContext(cr);
    label.drawRect(label.bounds());  // as the drawing backend draws views
    UIGraphicsPopContext();
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    int left = width, right = -1;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(surface));
        for (int x = 0; x < width; ++x) {
            if ((row[x] >> 24) < 0x80) continue;
            if (strongestPixel != nullptr && (row[x] >> 24) > (*strongestPixel >> 24)) *strongestPixel = row[x];
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    cairo_surface_destroy(surface);
    return {left, right};
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
    uint32_t pixel = 0;
    inkColumns(*label, &pixel);
    EXPECT_EQ(pixel, 0xFFFF0000u);

    label->setLatex(std::string(1 << 20, '{'));  // a megabyte of braces
    ASSERT_TRUE(label->error());
    label->setLatex("x");
    EXPECT_FALSE(label->error());
}

TEST(MTMathUILabel, DrawsInItsTextColourWithTheChosenAlignment) {
    auto label = labelWith("x + 1");
    label->setTextColor(UIColor::colorWithRed(0, 0, 1, 1));
    uint32_t pixel = 0;
    auto [left, right] = inkColumns(*label, &pixel);
    EXPECT_EQ(pixel, 0xFF0000FFu);
    EXPECT_LE(left, 2);

    label->setTextAlignment(MTTextAlignment::Right);
    auto [rightAlignedLeft, rightAlignedRight] = inkColumns(*label);
    EXPECT_GE(rightAlignedRight, 397);
    EXPECT_NEAR(rightAlignedRight - rightAlignedLeft, right - left, 1);
}

// An error message longer than the label is wide wraps onto more lines instead of being cut, and
// wraps anew when the label is resized.
TEST(MTMathUILabel, LongErrorMessagesWrapToTheLabelsWidth) {
    auto label = std::make_shared<MTMathUILabel>(CGRect{0, 0, 150, 200});
    label->setLatex("\\begin{matrix} x \\end{matrix}");
    ASSERT_TRUE(label->error());
    const std::string& message = *label->error();
    const auto& display = label->displayList();
    EXPECT_LE(display.width, 150);
    size_t visible = 0;
    double lowest = 0;
    for (char c : message) visible += c != ' ';
    for (const auto& item : display.items) lowest = std::min(lowest, item.y);
    EXPECT_GE(display.items.size(), visible);  // every character is still there
    EXPECT_LE(display.items.size(), message.size());
    EXPECT_LE(lowest, -1.2 * label->fontSize());
    auto [left, right] = inkColumns(*label);
    EXPECT_LT(right, 150);

    const CGFloat wrappedHeight = label->intrinsicContentSize().height;
    label->setFrame(CGRect{0, 0, 600, 200});
    label->layoutIfNeeded();
    EXPECT_LT(label->intrinsicContentSize().height, wrappedHeight / 1.5);
    EXPECT_NEAR(label->sizeThatFits(CGSize{150, 0}).height, wrappedHeight, 1e-9);

    // A word longer than a line breaks where it overflows.
    label->setFrame(CGRect{0, 0, 150, 200});
    label->setLatex("\\color{" + std::string(60, 'q') + "}{x}");
    label->layoutIfNeeded();
    ASSERT_TRUE(label->error());
    EXPECT_LE(label->displayList().width, 150);
    EXPECT_GT(label->displayList().descent, 3 * label->fontSize());
}
