#include <gtest/gtest.h>

#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/cosmos/CosmosView.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
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

void setStyle(UIUserInterfaceStyle interfaceStyle) {
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(interfaceStyle));
}

template <class T>
std::shared_ptr<T> tagged(int tag, UIView* parent = nullptr) {
    auto view = std::make_shared<T>();
    view->setTag(tag);
    if (parent) parent->addSubview(view);
    return view;
}

class ButtonOfOurOwn : public UIButton {};

}  // namespace

TEST(ColorManagerTest, PaletteIsDarkenedOnceByTheStyleOfItsFirstUseAndOtherColoursBecomeTransparent) {
    ProcessLifetime::resetAll();  // whatever ran before in this program, colours start unmade
    {
        Harness::Options light;
        light.interfaceStyle = UIUserInterfaceStyle::Light;
        Harness h(light);
        expectComponents(KeTuColor::color1(), 0.07, 0.0, 0.37);
        expectComponents(KeTuColor::color2(), 0.49, 0.26, 0.74);
        expectComponents(KeTuColor::color3(), 0.29, 0.08, 0.55);
        setStyle(UIUserInterfaceStyle::Dark);
        expectComponents(KeTuColor::color1(), 0.07, 0.0, 0.37);
        expectComponents(KeTuColor::color4(), 0.8 * 0.7, 0.86 * 0.7, 0.22 * 0.7);  // made after the switch
    }
    Harness::Options dark;
    dark.interfaceStyle = UIUserInterfaceStyle::Dark;
    Harness h(dark);
    expectComponents(KeTuColor::color1(), 0.049, 0.0, 0.259);
    expectComponents(KeTuColor::color5(), 0, 0, 0, 0);
    auto pattern = UIColor::colorWithPatternImage(std::make_shared<UIImage>(CGSize{1, 1}, 1));
    expectComponents(ColorManager::adjustedColor(pattern, 0.7), 0, 0, 0, 0);
    EXPECT_EQ(hexString(pattern), std::nullopt);
    EXPECT_EQ(hexString(UIColor::colorWithRed(1.5, -0.2, 0.5, 1)), "#ff007f");  // truncated, six digits
    setStyle(UIUserInterfaceStyle::Light);
    expectComponents(KeTuColor::color1(), 0.049, 0.0, 0.259);
}

TEST(ColorManagerTest, ApplyColorsStylesExactClassesOnlyAndDescendsThroughPlainContainers) {
    Harness light;
    auto root = std::make_shared<UIView>();
    auto container = tagged<UIView>(101, root.get());
    auto stack = tagged<UIStackView>(0, root.get());
    auto label = tagged<UILabel>(101, root.get());
    auto flat = tagged<Material::FlatButton>(105, root.get());
    auto buttonInStack = tagged<UIButton>(103, stack.get());
    auto ownButton = tagged<ButtonOfOurOwn>(101, root.get());
    auto stars = tagged<CosmosView>(103, root.get()), untaggedStars = tagged<CosmosView>(0, root.get());
    stars->setRating(3);
    const UIColor starColor = untaggedStars->settings().filledColor;
    auto field = tagged<DTTextField>(0, root.get());
    field->dtLayer()->setBackgroundColor(UIColor::redColor().cgColor());
    // Subclasses are left alone, and so is everything inside them.
    const std::vector<std::pair<std::shared_ptr<UIView>, std::optional<UIColor>>> backgrounds = {
        {container, std::nullopt}, {tagged<UIView>(102, container.get()), KeTuColor::color2()},
        {buttonInStack, KeTuColor::color3()}, {tagged<UIView>(104, root.get()), KeTuColor::color4()},
        {flat, KeTuColor::color5()}, {tagged<Material::FABButton>(101, root.get()), KeTuColor::color1()},
        {tagged<UIImageView>(102, root.get()), KeTuColor::color2()}, {ownButton, std::nullopt},
        {label, std::nullopt}, {tagged<UIView>(101, label.get()), std::nullopt}};

    ColorManager::applyColors(*root);

    for (const auto& [view, background] : backgrounds) EXPECT_EQ(view->backgroundColor(), background) << view->tag();
    EXPECT_EQ(buttonInStack->titleColorForState(UIControlStateNormal), UIColor::colorWithWhite(0.9, 1));
    EXPECT_EQ(flat->imageView()->tintColor(), ThemeColor::lightText());
    EXPECT_EQ(stars->settings().filledColor, KeTuColor::color3());
    ASSERT_FALSE(stars->layer()->sublayers().empty());
    for (const auto& star : stars->layer()->sublayers()) EXPECT_FLOAT_EQ(star->shadowOpacity(), 0.7f);
    EXPECT_EQ(untaggedStars->settings().filledColor, starColor);
    EXPECT_EQ(field->dtLayer()->backgroundColor(), UIColor::systemBackgroundColor().cgColor());

    ColorManager::styleButton(*ownButton);
    EXPECT_EQ(ownButton->backgroundColor(), KeTuColor::color1());
    EXPECT_EQ(ownButton->tintColor(), ThemeColor::lightText());
}

TEST(ColorManagerTest, ShadowsAndTheTranslucentTagFollowTheStyleAndTheDarkStyleKeepsAnExistingShadow) {
    Harness h;
    auto translucent = tagged<UIView>(200);
    auto themed = std::make_shared<CALayer>();
    for (bool dark : {false, true}) {
        setStyle(dark ? UIUserInterfaceStyle::Dark : UIUserInterfaceStyle::Light);
        ColorManager::styleButton(*translucent);
        EXPECT_DOUBLE_EQ(translucent->alpha(), dark ? 0.3 : 0.5);
        ColorManager::applyShadow(*themed);
        EXPECT_EQ(themed->shadowOffset(), (dark ? CGSize{0, 0} : CGSize{0, 1.5}));
        EXPECT_EQ(themed->shadowColor(), ThemeColor::shadow().cgColor());

        auto button = tagged<UIButton>(101);
        button->layer()->setMasksToBounds(true);
        button->layer()->setShadowOpacity(0.25f);
        ColorManager::styleButton(*button);
        EXPECT_EQ(button->layer()->masksToBounds(), dark);
        EXPECT_FLOAT_EQ(button->layer()->shadowOpacity(), dark ? 0.25f : 0.7f);
    }
}
