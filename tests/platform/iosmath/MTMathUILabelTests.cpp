#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

#include "MathTestSupport.hpp"

#include <memory>
#include <string>

using iosmath_test::Raster;

namespace {

std::shared_ptr<MTMathUILabel> labelWith(const std::string& latex, CGRect frame = {0, 0, 400, 80}) {
    auto label = std::make_shared<MTMathUILabel>(frame);
    label->setLatex(latex);
    return label;
}

// The label drawn into its own bounds at scale 1, as the drawing backend draws views.
Raster drawn(const MTMathUILabel& label) {
    return iosmath_test::rasterize(static_cast<int>(label.bounds().size.width),
                                   static_cast<int>(label.bounds().size.height), [&](cairo_t* cr) {
                                       UIGraphicsPushContext(cr);
                                       label.drawRect(label.bounds());
                                       UIGraphicsPopContext();
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
