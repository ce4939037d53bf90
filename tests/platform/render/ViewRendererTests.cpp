#include <gtest/gtest.h>

#include <algorithm>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/render/StarRating.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "tests/platform/render/PixelProbe.hpp"

namespace {

std::shared_ptr<UIView> box(CGRect frame, UIColor colour, const std::shared_ptr<UIView>& parent = nullptr)
{
    auto view = std::make_shared<UIView>(frame);
    view->setBackgroundColor(colour);
    if (parent) {
        parent->addSubview(view);
    }
    return view;
}

// Whether any pixel in the rectangle is darker than mid grey (text was drawn there).
bool hasInk(const UIImage& image, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            RGBA p = pixelAt(image, x, y);
            if (p.a > 128 && p.r < 128 && p.g < 128 && p.b < 128) {
                return true;
            }
        }
    }
    return false;
}

void castShadow(CALayer& layer, float opacity, CGSize offset, double radius)
{
    layer.setShadowColor(CGColor{0, 0, 0, 1});
    layer.setShadowOpacity(opacity);
    layer.setShadowOffset(offset);
    layer.setShadowRadius(radius);
}

} // namespace

TEST(ViewRenderer, RoundedCornersHiddenViewsAlphaAndBordersShowAsSet)
{
    auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
    box({10, 10, 40, 40}, UIColor::redColor(), root)->layer()->setCornerRadius(15);
    box({60, 10, 30, 30}, UIColor::blueColor(), root)->setHidden(true);
    box({60, 60, 30, 30}, UIColor::blackColor(), root)->setAlpha(0.5);
    auto bordered = box({10, 60, 40, 30}, UIColor::whiteColor(), root);
    bordered->layer()->setBorderWidth(2);
    bordered->layer()->setBorderColor(CGColor{0, 0.5, 0, 1});
    expectPixels(*snapshot(*root), {{30, 30, kRed},                     // inside the rounded box
                                    {11, 11, kWhite},                   // its cut corner
                                    {75, 25, kWhite},                   // hidden view left out
                                    {75, 75, {128, 128, 128, 255}, 2},  // half-transparent black
                                    {10, 75, {0, 128, 0, 255}},         // border inside the bounds
                                    {30, 75, kWhite}});
}

TEST(ViewRenderer, ScrollViewClipsAndMovesItsContent)
{
    auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 0, 100, 50});
    scroll->setClipsToBounds(true);
    scroll->setContentSize({100, 200});
    box({0, 0, 100, 50}, UIColor::redColor(), scroll);
    box({0, 50, 100, 150}, UIColor::blueColor(), scroll);
    root->addSubview(scroll);
    expectPixels(*snapshot(*root), {{50, 25, kRed}, {50, 75, kWhite}});  // the blue row is cut off
    scroll->setContentOffset({0, 40});
    expectPixels(*snapshot(*root), {{50, 5, kRed}, {50, 15, kBlue}});
}

TEST(ViewRenderer, RendersAtTheImageScaleInTheColoursOfTheInterfaceStyle)
{
    auto root = box({0, 0, 20, 20}, UIColor::systemBackgroundColor());
    box({10, 0, 10, 20}, UIColor::redColor(), root);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Dark));
    auto dark = snapshot(*root, 3);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Light));
    auto light = snapshot(*root, 3);
    EXPECT_EQ(cairo_image_surface_get_width(light->CGImage()), 60);
    expectPixels(*dark, {{29, 30, kBlack}});
    expectPixels(*light, {{29, 30, kWhite}, {30, 30, kRed}});
}

// A button shows its title before its label is made; marking a field's input as wrong colours
// its border, and only the border.
TEST(ViewRenderer, LabelsButtonsFormulasAndFieldsPutTheirTextInsideTheirBounds)
{
    auto root = box({0, 0, 200, 180}, UIColor::whiteColor());
    auto label = std::make_shared<UILabel>(CGRect{0, 0, 200, 40});
    label->setText("Step 1");
    label->setTextAlignment(NSTextAlignment::Right);
    label->setTextColor(UIColor::blackColor());
    auto formula = std::make_shared<MTMathUILabel>(CGRect{0, 50, 200, 50});
    formula->setLatex("x^2 + p x + q = 0");
    auto button = UIButton::buttonWithType(UIButtonType::System);
    button->setFrame({0, 100, 120, 40});
    button->setTitle("Calculate", UIControlStateNormal);
    button->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
    auto field = std::make_shared<UITextField>(CGRect{0, 140, 120, 40});
    field->setText("1/0");
    field->setBorderStyle(UITextBorderStyle::RoundedRect);
    field->layer()->setBorderWidth(1);
    field->layer()->setBorderColor(CGColor{0.8, 0.8, 0.8, 1});
    for (const auto& view : std::vector<std::shared_ptr<UIView>>{label, formula, button, field}) {
        root->addSubview(view);
    }
    auto image = snapshot(*root, 2);
    EXPECT_TRUE(hasInk(*image, 0, 100, 400, 200));
    EXPECT_TRUE(hasInk(*image, 40, 200, 200, 280));
    EXPECT_TRUE(hasInk(*image, 0, 280, 160, 360));
    EXPECT_FALSE(hasInk(*image, 0, 280, 12, 360)); // the text keeps off a rounded field's edge
    expectPixels(*image, {{1, 320, {204, 204, 204, 255}}});
    field->layer()->setBorderColor(UIColor::redColor().cgColor());
    expectPixels(*snapshot(*root, 2), {{1, 320, kRed}, {238, 320, kRed}, {200, 320, kWhite}});
    button->setEnabled(false);
    EXPECT_FALSE(hasInk(*snapshot(*button), 0, 0, 120, 40)); // a disabled title is faint

    // Where asked, whether Pango or the layout itself aligns the line, and centred vertically.
    for (auto mode : {NSLineBreakMode::ByTruncatingTail, NSLineBreakMode::ByClipping}) {
        for (auto [alignment, from, to] : std::vector<std::tuple<NSTextAlignment, int, int>>{
                 {NSTextAlignment::Left, 0, 60}, {NSTextAlignment::Center, 70, 130}, {NSTextAlignment::Right, 140, 200}}) {
            label->setLineBreakMode(mode);
            label->setTextAlignment(alignment);
            image = snapshot(*label);
            EXPECT_TRUE(hasInk(*image, from, 8, to, 32)) << int(alignment);
            EXPECT_FALSE(hasInk(*image, 0, 0, from, 40) || hasInk(*image, to, 0, 200, 40) || hasInk(*image, 0, 0, 200, 8) ||
                         hasInk(*image, 0, 32, 200, 40)) << int(alignment) << " " << int(mode);
        }
    }

    // White text on black: the colour set after the text is the one drawn.
    auto white = std::make_shared<UILabel>(CGRect{0, 0, 60, 30});
    white->setBackgroundColor(UIColor::blackColor());
    white->setText("WWW");
    white->setFont(UIFont::boldSystemFontOfSize(24));
    white->setTextColor(UIColor::whiteColor());
    image = snapshot(*white);
    int brightest = 0;
    for (int x = 0; x < 60; ++x) {
        brightest = std::max(brightest, pixelAt(*image, x, 15).g);
    }
    EXPECT_GT(brightest, 240);
}

TEST(ViewRenderer, DrawsAnimatingViewsWhereTheyAreOnTheClock)
{
    DispatchClock::useVirtualTime();
    auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
    auto panel = box({0, 0, 50, 100}, UIColor::redColor(), root);
    auto move = [&] {
        panel->setAlpha(0.5);
        panel->setFrame({50, 0, 50, 100});
    };
    UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, move, nullptr);
    RunLoop::main().runFor(0.5);
    // Half-way: at x 25 to 75, at alpha 0.75 over white.
    expectPixels(*snapshot(*root), {{10, 50, kWhite}, {50, 50, {255, 64, 64, 255}, 4}, {90, 50, kWhite}});
    RunLoop::main().runFor(0.5);
    DispatchClock::useRealTime();
}

namespace {
struct ShapeView : UIView {
    using UIView::UIView;
    std::shared_ptr<CALayer> makeBackingLayer() const override { return std::make_shared<CAShapeLayer>(); }
};
} // namespace

TEST(ViewRenderer, AMaskViewCutsTheViewAndItsSubviewsToItsShape)
{
    for (CGFloat radius : {20.0, 0.0}) { // rounded, and square
        auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
        auto panel = box({0, 0, 100, 100}, UIColor::redColor(), root);
        box({0, 0, 100, 20}, UIColor::blueColor(), panel);
        auto mask = std::make_shared<ShapeView>(CGRect{10, 10, 80, 80});
        std::static_pointer_cast<CAShapeLayer>(mask->layer())->setPath(CGPath::roundedRect({0, 0, 80, 80}, radius));
        panel->setMaskView(mask);
        expectPixels(*snapshot(*root), {{5, 50, kWhite},                      // outside the mask
                                        {12, 12, radius > 0 ? kWhite : kBlue}, // in the rounded corner
                                        {50, 50, kRed},
                                        {80, 80, kRed},
                                        {50, 15, kBlue},
                                        {50, 5, kWhite}});
    }
}

TEST(ViewRenderer, AShadowFollowsWhatIsDrawnNotTheBounds)
{
    // A clear button whose only ink is a rounded plate inside it, over a transparent root.
    auto root = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    auto button = std::make_shared<UIButton>(CGRect{20, 20, 60, 60});
    button->setBackgroundColor(UIColor::clearColor());
    box({10, 10, 40, 40}, UIColor::whiteColor(), button)->layer()->setCornerRadius(20);
    root->addSubview(button);
    castShadow(*button->layer(), 0.7f, {0, 2}, 2);
    auto image = snapshot(*root, 2);
    // The button's corners, and the plate's rounded-off corners, cast nothing; the plate stays
    // white, and under its bottom edge the shadow shows.
    expectPixels(*image, {{44, 44, kClear}, {156, 44, kClear}, {44, 156, kClear}, {156, 156, kClear},
                          {64, 64, kClear}, {136, 140, kClear}, {100, 100, kWhite}});
    RGBA below = pixelAt(*image, 100, 142);
    EXPECT_GT(below.a, 40);
    EXPECT_LT(below.r, 60);

    // An opaque rounded view still casts its whole rounded shape (sharp here, without blur).
    auto cardRoot = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    auto card = box({20, 20, 60, 60}, UIColor::whiteColor(), cardRoot);
    card->layer()->setCornerRadius(8);
    castShadow(*card->layer(), 1, {0, 4}, 0);
    expectPixels(*snapshot(*cardRoot), {{50, 82, kBlack}, {50, 86, kClear}, {21, 83, kClear}});  // the last under the corner
}

TEST(ViewRenderer, FreeLayersStackWithSubviewsInTheOrderTheyJoined)
{
    auto root = box({0, 0, 60, 20}, UIColor::whiteColor());
    auto content = box({0, 0, 60, 20}, UIColor::redColor(), root);
    auto outline = std::make_shared<CALayer>();  // added after the content: drawn over it
    outline->setFrame({0, 0, 20, 20});
    outline->setBackgroundColor(CGColor{0, 0, 1, 1});
    root->layer()->addSublayer(outline);
    auto backdrop = std::make_shared<CALayer>();  // inserted at the bottom: hidden by the content
    backdrop->setFrame({20, 0, 20, 20});
    backdrop->setBackgroundColor(CGColor{0, 1, 0, 1});
    root->layer()->insertSublayer(backdrop, 0);
    box({40, 0, 20, 20}, UIColor::blackColor(), root);  // a view added last tops both
    expectPixels(*snapshot(*root), {{10, 10, kBlue}, {30, 10, kRed}, {50, 10, kBlack}});

    root->bringSubviewToFront(content);  // brought forward: above the outline again
    expectPixels(*snapshot(*root), {{10, 10, kRed}});
}

TEST(ViewRenderer, AShapeLayersShadowFollowsItsPathNotItsBounds)
{
    auto view = std::make_shared<UIView>(CGRect{0, 0, 40, 50});
    auto disc = std::make_shared<CAShapeLayer>();
    disc->setPath(CGPath::roundedRect({0, 0, 40, 40}, 20));
    disc->setFrame({0, 0, 40, 40});
    disc->setFillColor(CGColor{0, 0, 1, 1});
    castShadow(*disc, 1, {0, 2}, 1);
    view->layer()->addSublayer(disc);
    auto image = snapshot(*view);
    // Inside the round shape; a corner of the bounds casts nothing; below the bottom the shadow shows.
    expectPixels(*image, {{20, 30, kBlue}, {8, 8, kBlue}, {3, 5, kClear}});
    EXPECT_GT(pixelAt(*image, 20, 41).a, 0);
}

TEST(IconDrawing, FrameworkIconsAreDrawnInTheTint)
{
    auto view = std::make_shared<UIImageView>(std::make_shared<UIImage>("ic_menu_white", CGSize{24, 24}, 1));
    view->setFrame({0, 0, 24, 24});
    view->setTintColor(UIColor::redColor());
    // The menu icon's middle bar crosses the centre; the space between the bars stays clear.
    expectPixels(*snapshot(*view), {{12, 12, kRed, 40}, {12, 9, kClear}, {1, 1, kClear}});
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
    // Two whole stars (clear between their points), the left half of the third; its right half and the
    // fourth are outlines only.
    expectPixels(*image, {{10, 10, kBlue}, {15, 3, kClear}, {35, 10, kBlue}, {58, 10, kBlue}, {62, 10, kClear}, {85, 10, kClear}});
}
