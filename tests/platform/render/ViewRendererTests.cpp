#include <gtest/gtest.h>

#include <algorithm>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "tests/platform/render/PixelProbe.hpp"

namespace {

std::shared_ptr<UIView> box(CGRect frame, UIColor colour)
{
    auto view = std::make_shared<UIView>(frame);
    view->setBackgroundColor(colour);
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

} // namespace

TEST(ViewRenderer, LayerAttributes)
{
    auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
    auto rounded = box({10, 10, 40, 40}, UIColor::redColor());
    rounded->layer()->setCornerRadius(15);
    auto hidden = box({60, 10, 30, 30}, UIColor::blueColor());
    hidden->setHidden(true);
    auto faded = box({60, 60, 30, 30}, UIColor::blackColor());
    faded->setAlpha(0.5);
    auto bordered = box({10, 60, 40, 30}, UIColor::whiteColor());
    bordered->layer()->setBorderWidth(2);
    bordered->layer()->setBorderColor(CGColor{0, 0.5, 0, 1});
    for (const auto& v : {rounded, hidden, faded, bordered}) {
        root->addSubview(v);
    }
    auto image = snapshot(*root);
    ASSERT_TRUE(image);
    EXPECT_TRUE(isNear(pixelAt(*image, 30, 30), 255, 0, 0));       // inside the rounded box
    EXPECT_TRUE(isNear(pixelAt(*image, 11, 11), 255, 255, 255));   // its cut corner
    EXPECT_TRUE(isNear(pixelAt(*image, 75, 25), 255, 255, 255));   // hidden view left out
    EXPECT_TRUE(isNear(pixelAt(*image, 75, 75), 128, 128, 128, 255, 2));
    EXPECT_TRUE(isNear(pixelAt(*image, 10, 75), 0, 128, 0));       // border inside the bounds
    EXPECT_TRUE(isNear(pixelAt(*image, 30, 75), 255, 255, 255));
}

TEST(ViewRenderer, ScrollViewClipsAndMovesItsContent)
{
    auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 0, 100, 50});
    scroll->setClipsToBounds(true);
    scroll->setContentSize({100, 200});
    scroll->addSubview(box({0, 0, 100, 50}, UIColor::redColor()));
    scroll->addSubview(box({0, 50, 100, 150}, UIColor::blueColor()));
    root->addSubview(scroll);

    auto before = snapshot(*root);
    EXPECT_TRUE(isNear(pixelAt(*before, 50, 25), 255, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*before, 50, 75), 255, 255, 255));  // the blue row is cut off

    scroll->setContentOffset({0, 40});
    auto after = snapshot(*root);
    EXPECT_TRUE(isNear(pixelAt(*after, 50, 5), 255, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*after, 50, 15), 0, 0, 255));
}

TEST(ViewRenderer, RendersAtTheImageScaleInTheColoursOfTheInterfaceStyle)
{
    auto root = box({0, 0, 20, 20}, UIColor::systemBackgroundColor());
    root->addSubview(box({10, 0, 10, 20}, UIColor::redColor()));
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Dark));
    auto dark = snapshot(*root, 3);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Light));
    auto light = snapshot(*root, 3);
    EXPECT_EQ(cairo_image_surface_get_width(light->CGImage()), 60);
    EXPECT_TRUE(isNear(pixelAt(*dark, 29, 30), 0, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*light, 29, 30), 255, 255, 255));
    EXPECT_TRUE(isNear(pixelAt(*light, 30, 30), 255, 0, 0));
}

TEST(ViewRenderer, TextFieldBorderTurnsToTheErrorColour)
{
    auto field = std::make_shared<UITextField>(CGRect{0, 0, 120, 40});
    field->setBackgroundColor(UIColor::whiteColor());
    field->setText("1/0");
    field->layer()->setBorderWidth(1);
    field->layer()->setBorderColor(CGColor{0.8, 0.8, 0.8, 1});
    EXPECT_TRUE(isNear(pixelAt(*snapshot(*field, 2), 1, 40), 204, 204, 204));

    // Marking the input as wrong colours the border, and only the border.
    field->layer()->setBorderColor(UIColor::redColor().cgColor());
    auto marked = snapshot(*field, 2);
    EXPECT_TRUE(isNear(pixelAt(*marked, 1, 40), 255, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*marked, 238, 40), 255, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*marked, 200, 40), 255, 255, 255));
    EXPECT_TRUE(hasInk(*marked, 0, 0, 80, 80));  // the text
}

TEST(ViewRenderer, LabelsButtonsAndFormulasPutTheirTextInsideTheirBounds)
{
    auto root = box({0, 0, 200, 140}, UIColor::whiteColor());
    auto label = std::make_shared<UILabel>(CGRect{0, 0, 200, 40});
    label->setText("Step 1");
    label->setTextAlignment(NSTextAlignment::Right);
    label->setTextColor(UIColor::blackColor());
    auto formula = std::make_shared<MTMathUILabel>(CGRect{0, 50, 200, 50});
    formula->setLatex("x^2 + p x + q = 0");
    // A button shows its title before its label is made.
    auto button = UIButton::buttonWithType(UIButtonType::System);
    button->setFrame({0, 100, 120, 40});
    button->setTitle("Calculate", UIControlStateNormal);
    button->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
    for (const auto& view : std::vector<std::shared_ptr<UIView>>{label, formula, button}) {
        root->addSubview(view);
    }
    auto image = snapshot(*root);
    EXPECT_TRUE(hasInk(*image, 120, 0, 200, 40)); // right-aligned text
    EXPECT_FALSE(hasInk(*image, 0, 0, 80, 40));
    EXPECT_TRUE(hasInk(*image, 0, 50, 200, 100));
    EXPECT_TRUE(hasInk(*image, 20, 100, 100, 140));

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
    auto panel = box({0, 0, 50, 100}, UIColor::redColor());
    root->addSubview(panel);
    UIView::animateWithDuration(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            panel->setAlpha(0.5);
            panel->setFrame({50, 0, 50, 100});
        },
        nullptr);
    RunLoop::main().runFor(0.5);
    // Half-way: at x 25 to 75, at alpha 0.75 over white.
    auto image = snapshot(*root);
    EXPECT_TRUE(isNear(pixelAt(*image, 10, 50), 255, 255, 255));
    EXPECT_TRUE(isNear(pixelAt(*image, 50, 50), 255, 64, 64, 255, 4));
    EXPECT_TRUE(isNear(pixelAt(*image, 90, 50), 255, 255, 255));
    RunLoop::main().runFor(0.5);
    DispatchClock::useRealTime();
}

namespace {
class ShapeView : public UIView {
public:
    using UIView::UIView;

protected:
    std::shared_ptr<CALayer> makeBackingLayer() const override { return std::make_shared<CAShapeLayer>(); }
};
} // namespace

TEST(ViewRenderer, AMaskViewCutsTheViewToItsShape)
{
    auto root = box({0, 0, 100, 100}, UIColor::whiteColor());
    auto panel = box({0, 0, 100, 100}, UIColor::redColor());
    auto child = box({0, 0, 100, 20}, UIColor::blueColor()); // subviews are cut too
    panel->addSubview(child);
    root->addSubview(panel);
    auto mask = std::make_shared<ShapeView>(CGRect{10, 10, 80, 80});
    std::static_pointer_cast<CAShapeLayer>(mask->layer())->setPath(CGPath::roundedRect({0, 0, 80, 80}, 20));
    panel->setMaskView(mask);

    auto image = snapshot(*root);
    EXPECT_TRUE(isNear(pixelAt(*image, 5, 50), 255, 255, 255)); // outside the mask
    EXPECT_TRUE(isNear(pixelAt(*image, 12, 12), 255, 255, 255)); // in the rounded corner
    EXPECT_TRUE(isNear(pixelAt(*image, 50, 50), 255, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*image, 50, 15), 0, 0, 255));
    EXPECT_TRUE(isNear(pixelAt(*image, 50, 5), 255, 255, 255));
}

TEST(ViewRenderer, AShadowFollowsWhatIsDrawnNotTheBounds)
{
    // A clear button whose only ink is a rounded plate inside it, over a transparent root.
    auto root = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    auto button = std::make_shared<UIButton>(CGRect{20, 20, 60, 60});
    button->setBackgroundColor(UIColor::clearColor());
    auto plate = box({10, 10, 40, 40}, UIColor::whiteColor());
    plate->layer()->setCornerRadius(20);
    button->addSubview(plate);
    root->addSubview(button);
    auto layer = button->layer();
    layer->setShadowColor(UIColor::blackColor().cgColor());
    layer->setShadowOpacity(0.7f);
    layer->setShadowOffset({0, 2});
    layer->setShadowRadius(2);

    auto image = snapshot(*root, 2);
    // The button's corners, and the plate's rounded-off corners, cast nothing.
    for (auto [x, y] : {std::pair{22, 22}, {78, 22}, {22, 78}, {78, 78}, {32, 32}, {68, 70}}) {
        EXPECT_EQ(pixelAt(*image, x * 2, y * 2).a, 0) << x << "," << y;
    }
    // Under the plate's bottom edge the shadow shows; the plate itself stays white.
    RGBA below = pixelAt(*image, 50 * 2, 71 * 2);
    EXPECT_GT(below.a, 40);
    EXPECT_LT(below.r, 60);
    EXPECT_TRUE(isNear(pixelAt(*image, 50 * 2, 50 * 2), 255, 255, 255));

    // An opaque rounded view still casts its whole rounded shape (sharp here, without blur).
    auto card = box({20, 20, 60, 60}, UIColor::whiteColor());
    card->layer()->setCornerRadius(8);
    card->layer()->setShadowColor(UIColor::blackColor().cgColor());
    card->layer()->setShadowOpacity(1);
    card->layer()->setShadowOffset({0, 4});
    card->layer()->setShadowRadius(0);
    auto cardRoot = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    cardRoot->addSubview(card);
    auto cardImage = snapshot(*cardRoot);
    EXPECT_EQ(pixelAt(*cardImage, 50, 82).a, 255);
    EXPECT_EQ(pixelAt(*cardImage, 50, 86).a, 0);
    EXPECT_EQ(pixelAt(*cardImage, 21, 83).a, 0); // under the rounded corner
}

TEST(ViewRenderer, FreeLayersStackWithSubviewsInTheOrderTheyJoined)
{
    auto root = box({0, 0, 60, 20}, UIColor::whiteColor());
    auto content = box({0, 0, 60, 20}, UIColor::redColor());
    root->addSubview(content);
    auto outline = std::make_shared<CALayer>();  // added after the content: drawn over it
    outline->setFrame({0, 0, 20, 20});
    outline->setBackgroundColor(CGColor{0, 0, 1, 1});
    root->layer()->addSublayer(outline);
    auto backdrop = std::make_shared<CALayer>();  // inserted at the bottom: hidden by the content
    backdrop->setFrame({20, 0, 20, 20});
    backdrop->setBackgroundColor(CGColor{0, 1, 0, 1});
    root->layer()->insertSublayer(backdrop, 0);
    auto late = box({40, 0, 20, 20}, UIColor::blackColor());  // a view added last tops both
    root->addSubview(late);

    auto image = snapshot(*root);
    ASSERT_TRUE(image);
    EXPECT_TRUE(isNear(pixelAt(*image, 10, 10), 0, 0, 255));
    EXPECT_TRUE(isNear(pixelAt(*image, 30, 10), 255, 0, 0));
    EXPECT_TRUE(isNear(pixelAt(*image, 50, 10), 0, 0, 0));

    root->bringSubviewToFront(content);  // brought forward: above the outline again
    image = snapshot(*root);
    EXPECT_TRUE(isNear(pixelAt(*image, 10, 10), 255, 0, 0));
}
