#include <gtest/gtest.h>

#include "platform/render/StarRating.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "tests/platform/render/PixelProbe.hpp"

TEST(IconDrawing, FrameworkIconsAreDrawnInTheTint)
{
    auto view = std::make_shared<UIImageView>(std::make_shared<UIImage>("ic_menu_white", CGSize{24, 24}, 1));
    view->setFrame({0, 0, 24, 24});
    view->setTintColor(UIColor::redColor());
    auto image = snapshot(*view);
    // The menu icon's middle bar crosses the centre; the space between the bars stays clear.
    EXPECT_TRUE(isNear(pixelAt(*image, 12, 12), 255, 0, 0, 255, 40));
    EXPECT_EQ(pixelAt(*image, 12, 9).a, 0);
    EXPECT_EQ(pixelAt(*image, 1, 1).a, 0);
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
    EXPECT_TRUE(isNear(pixelAt(*image, 10, 10), 0, 0, 255));   // first star
    EXPECT_TRUE(isNear(pixelAt(*image, 35, 10), 0, 0, 255));   // second
    EXPECT_TRUE(isNear(pixelAt(*image, 58, 10), 0, 0, 255));   // left half of the third
    EXPECT_EQ(pixelAt(*image, 62, 10).a, 0);                   // its right half is an outline only
    EXPECT_EQ(pixelAt(*image, 85, 10).a, 0);                   // fourth: empty inside
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
    EXPECT_TRUE(isNear(pixelAt(*image, 20, 30), 0, 0, 255));  // inside the shape
    EXPECT_EQ(pixelAt(*image, 3, 5).a, 0);                   // a corner of the bounds casts nothing
    EXPECT_GT(pixelAt(*image, 20, 41).a, 0);                 // below the base the shadow shows
}
