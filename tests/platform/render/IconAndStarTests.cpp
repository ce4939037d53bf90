#include <gtest/gtest.h>

#include "platform/render/IconGlyphs.hpp"
#include "platform/render/StarRating.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "tests/platform/render/PixelProbe.hpp"

TEST(IconDrawing, FrameworkIconsAreDrawnInTheTint)
{
    auto view = std::make_shared<UIImageView>(std::make_shared<UIImage>("ic_menu_white", CGSize{24, 24}, 1));
    view->setFrame({0, 0, 24, 24});
    view->setTintColor(UIColor::redColor());
    // The menu icon's middle bar crosses the centre; the space between the bars stays clear.
    expectPixels(*snapshot(*view), {{12, 12, kRed, 40}, {12, 9, kClear}, {1, 1, kClear}});
}

TEST(IconGlyphs, SymbolNamesMapToTheirIconAndUnknownNamesToNone)
{
    EXPECT_EQ(render::IconGlyphs::codePointFor("ic_arrow_back_white"), U'\uE5C4');
    EXPECT_EQ(render::IconGlyphs::codePointFor("square.and.arrow.up"), U'\uE80D');  // share
    EXPECT_FALSE(render::IconGlyphs::codePointFor("ic_nothing_white"));
    EXPECT_FALSE(render::IconGlyphs::codePointFor(""));
}

TEST(StarRating, FillsWholeAndPartStarsFromTheLeft)
{
    UIGraphicsImageRendererFormat format;
    format.scale = 1;
    auto image = UIGraphicsImageRenderer(CGSize{150, 20}, format).imageWithActions([](const UIGraphicsImageRendererContext& context) {
        render::StarRatingStyle style;
        style.filledColor = {0, 0, 1, 1};
        render::drawStarRating(context.CGContext(), {0, 0}, 2.5, style);
    });
    // Two whole stars, the left half of the third; its right half and the fourth are outlines only.
    expectPixels(*image, {{10, 10, kBlue}, {35, 10, kBlue}, {58, 10, kBlue}, {62, 10, kClear}, {85, 10, kClear}});
}

TEST(StarRating, AStarLayersShadowFollowsItsPathNotItsBounds)
{
    auto view = std::make_shared<UIView>(CGRect{0, 0, 40, 50});
    auto star = std::make_shared<CAShapeLayer>();
    CGPath triangle;
    triangle.moveTo({20, 0});
    triangle.lineTo({40, 40});
    triangle.lineTo({0, 40});
    triangle.close();
    star->setPath(triangle);
    star->setFrame({0, 0, 40, 40});
    star->setFillColor(CGColor{0, 0, 1, 1});
    star->setShadowColor(CGColor{0, 0, 0, 1});
    star->setShadowOpacity(1);
    star->setShadowOffset({0, 2});
    star->setShadowRadius(1);
    view->layer()->addSublayer(star);
    auto image = snapshot(*view);
    // Inside the shape; a corner of the bounds casts nothing; below the base the shadow shows.
    expectPixels(*image, {{20, 30, kBlue}, {3, 5, kClear}});
    EXPECT_GT(pixelAt(*image, 20, 41).a, 0);
}
