#include <gtest/gtest.h>

#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/cosmos/CosmosView.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/material/Button.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

using uikit::testing::Harness;

namespace {

void expectComponents(const UIColor& color, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha = 1.0) {
    CGFloat found[4] = {-1, -1, -1, -1};
    ASSERT_TRUE(color.getRed(&found[0], &found[1], &found[2], &found[3]));
    const CGFloat expected[4] = {red, green, blue, alpha};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(found[i], expected[i], 1e-9) << "component " << i;
}

Harness::Options style(UIUserInterfaceStyle interfaceStyle) {
    Harness::Options options;
    options.interfaceStyle = interfaceStyle;
    return options;
}

void setStyle(UIUserInterfaceStyle interfaceStyle) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(interfaceStyle));
}

template <class T>
std::shared_ptr<T> tagged(int tag) {
    auto view = std::make_shared<T>();
    view->setTag(tag);
    return view;
}

class ButtonOfOurOwn : public UIButton {};

}  // namespace

TEST(ColorManagerTest, PaletteIsDarkenedOnceByTheStyleOfItsFirstUseAndOtherColoursBecomeTransparent) {
    ProcessLifetime::resetAll();  // whatever ran before in this program, colours start unmade
    {
        Harness light(style(UIUserInterfaceStyle::Light));
        expectComponents(KeTuColor::color1(), 0.07, 0.0, 0.37);
        setStyle(UIUserInterfaceStyle::Dark);
        expectComponents(KeTuColor::color1(), 0.07, 0.0, 0.37);
        // Made after the switch: dark.
        expectComponents(KeTuColor::color4(), 0.8 * 0.7, 0.86 * 0.7, 0.22 * 0.7);
    }
    Harness dark(style(UIUserInterfaceStyle::Dark));
    expectComponents(KeTuColor::color1(), 0.049, 0.0, 0.259);
    expectComponents(KeTuColor::color5(), 0, 0, 0, 0);
    // Colours without an RGB form darken to transparent and have no hex text.
    auto pattern = UIColor::colorWithPatternImage(std::make_shared<UIImage>(CGSize{1, 1}, 1));
    expectComponents(ColorManager::adjustedColor(pattern, 0.7), 0, 0, 0, 0);
    EXPECT_EQ(hexString(pattern), std::nullopt);
    // Extended-range components still give six digits.
    EXPECT_EQ(hexString(UIColor::colorWithRed(1.5, -0.2, 0.5, 1)), "#ff007f");
    setStyle(UIUserInterfaceStyle::Light);
    expectComponents(KeTuColor::color1(), 0.049, 0.0, 0.259);
}

TEST(ColorManagerTest, ApplyColorsStylesExactClassesOnlyAndDescendsThroughPlainContainers) {
    Harness light;
    auto root = std::make_shared<UIView>();
    auto container = tagged<UIView>(101);
    auto leafInContainer = tagged<UIView>(102);
    container->addSubview(leafInContainer);
    auto stack = std::make_shared<UIStackView>();
    auto buttonInStack = tagged<UIButton>(103);
    stack->addSubview(buttonInStack);
    auto leaf = tagged<UIView>(104);
    auto flat = tagged<Material::FlatButton>(105);
    auto fab = tagged<Material::FABButton>(101);
    auto image = tagged<UIImageView>(102);
    auto ownButton = tagged<ButtonOfOurOwn>(101);
    auto label = tagged<UILabel>(101);
    auto labelChild = tagged<UIView>(101);
    label->addSubview(labelChild);
    auto stars = tagged<CosmosView>(103);
    stars->setRating(3);
    auto untaggedStars = tagged<CosmosView>(0);
    const UIColor starColor = untaggedStars->settings().filledColor;
    auto field = std::make_shared<DTTextField>();
    for (const auto& view : std::vector<std::shared_ptr<UIView>>{container, stack, leaf, flat, fab, image, ownButton,
                                                                 label, stars, untaggedStars, field})
        root->addSubview(view);

    ColorManager::applyColors(*root);

    EXPECT_EQ(container->backgroundColor(), std::nullopt);
    EXPECT_EQ(leafInContainer->backgroundColor(), KeTuColor::color2());
    EXPECT_EQ(buttonInStack->backgroundColor(), KeTuColor::color3());
    EXPECT_EQ(buttonInStack->titleColorForState(UIControlStateNormal), ThemeColor::lightText());
    EXPECT_EQ(leaf->backgroundColor(), KeTuColor::color4());
    EXPECT_EQ(flat->backgroundColor(), KeTuColor::color5());
    EXPECT_EQ(flat->imageView()->tintColor(), ThemeColor::lightText());
    EXPECT_EQ(fab->backgroundColor(), KeTuColor::color1());
    EXPECT_EQ(image->backgroundColor(), KeTuColor::color2());
    EXPECT_EQ(stars->settings().filledColor, KeTuColor::color3());
    ASSERT_FALSE(stars->layer()->sublayers().empty());
    for (const auto& star : stars->layer()->sublayers()) EXPECT_FLOAT_EQ(star->shadowOpacity(), 0.7f);
    EXPECT_EQ(untaggedStars->settings().filledColor, starColor);
    EXPECT_EQ(field->dtLayer()->backgroundColor(), UIColor::systemBackgroundColor().cgColor());
    // Subclasses are left alone, and so is everything inside them.
    EXPECT_EQ(ownButton->backgroundColor(), std::nullopt);
    EXPECT_EQ(label->backgroundColor(), std::nullopt);
    EXPECT_EQ(labelChild->backgroundColor(), std::nullopt);

    // Called directly, any button gets the light title and tint.
    ColorManager::styleButton(*ownButton);
    EXPECT_EQ(ownButton->backgroundColor(), KeTuColor::color1());
    EXPECT_EQ(ownButton->titleColorForState(UIControlStateNormal), ThemeColor::lightText());
    EXPECT_EQ(ownButton->tintColor(), ThemeColor::lightText());
}

TEST(ColorManagerTest, ShadowsAndTheTranslucentTagFollowTheStyleAndTheDarkStyleKeepsAnExistingShadow) {
    Harness light;
    auto translucent = tagged<UIView>(200);
    translucent->setBackgroundColor(UIColor::redColor());
    ColorManager::styleButton(*translucent);
    EXPECT_DOUBLE_EQ(translucent->alpha(), 0.5);
    auto button = tagged<UIButton>(101);
    button->layer()->setMasksToBounds(true);
    ColorManager::styleButton(*button);
    EXPECT_FALSE(button->layer()->masksToBounds());
    EXPECT_EQ(button->layer()->shadowColor(), ThemeColor::secondaryGray().cgColor());
    EXPECT_FLOAT_EQ(button->layer()->shadowOpacity(), 0.7f);

    setStyle(UIUserInterfaceStyle::Dark);
    ColorManager::styleButton(*translucent);
    EXPECT_DOUBLE_EQ(translucent->alpha(), 0.3);
    EXPECT_EQ(translucent->backgroundColor(), UIColor::redColor());
    auto darkButton = tagged<UIButton>(101);
    darkButton->layer()->setShadowOpacity(0.25f);
    ColorManager::styleButton(*darkButton);
    EXPECT_FLOAT_EQ(darkButton->layer()->shadowOpacity(), 0.25f);

    auto themed = std::make_shared<CALayer>();
    ColorManager::applyShadow(*themed);
    EXPECT_EQ(themed->shadowColor(), ThemeColor::shadow().cgColor());
    EXPECT_EQ(themed->shadowOffset(), (CGSize{0, 0}));
    setStyle(UIUserInterfaceStyle::Light);
    ColorManager::applyShadow(*themed);
    EXPECT_EQ(themed->shadowOffset(), (CGSize{0, 1.5}));
}
