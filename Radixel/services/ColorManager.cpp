#include "Radixel/services/ColorManager.hpp"

#include <cstdio>
#include <typeinfo>

#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/cosmos/CosmosView.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/material/Button.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "platform/uikit/UIView.hpp"

namespace {

constexpr int translucentTag = 200;

bool isDarkStyle() { return UITraitCollection::currentTraitCollection().isDark(); }

template <class T>
bool isExactly(const UIView& view) {
    return typeid(view) == typeid(T);
}

}  // namespace

UIColor ColorManager::adjustedColor(const UIColor& color, CGFloat factor) {
    if (!isDarkStyle()) return color;
    CGFloat hue = 0.0, saturation = 0.0, brightness = 0.0, alpha = 0.0;
    color.getHue(&hue, &saturation, &brightness, &alpha);
    // A brightness pushed below zero is held at zero by the colour itself.
    return UIColor::colorWithHue(hue, saturation, brightness * factor, alpha);
}

void ColorManager::applyColors(UIView& root) {
    for (const std::shared_ptr<UIView>& subview : root.subviews()) {
        UIView& view = *subview;
        if (isExactly<UIView>(view)) {
            if (view.subviews().empty())
                styleButton(view);
            else
                applyColors(view);
        } else if (isExactly<UIStackView>(view)) {
            applyColors(view);
        } else if (isExactly<UIButton>(view) || isExactly<Material::FlatButton>(view) ||
                   isExactly<Material::FABButton>(view) || isExactly<UIImageView>(view)) {
            styleButton(view);
        } else if (isExactly<CosmosView>(view)) {
            styleLayers(static_cast<CosmosView&>(view));
        } else if (isExactly<DTTextField>(view)) {
            static_cast<DTTextField&>(view).dtLayer()->setBackgroundColor(UIColor::systemBackgroundColor().cgColor());
        }
    }
}

void ColorManager::styleButton(UIView& view) {
    if (std::optional<UIColor> palette = KeTuColor::colorForTag(view.tag())) {
        view.setBackgroundColor(*palette);
    } else if (view.tag() == translucentTag) {
        view.setAlpha(isDarkStyle() ? 0.3 : 0.5);
    }
    if (auto* button = dynamic_cast<UIButton*>(&view)) {
        button->setTitleColor(ThemeColor::lightText(), UIControlStateNormal);
        button->setTintColor(ThemeColor::lightText());
    }
    if (auto* flat = dynamic_cast<Material::FlatButton*>(&view)) {
        if (auto imageView = flat->imageView()) imageView->setTintColor(ThemeColor::lightText());
    }
    applyLightStyleShadow(*view.layer());
}

void ColorManager::styleLayers(CosmosView& view) {
    if (std::optional<UIColor> palette = KeTuColor::colorForTag(view.tag())) {
        Cosmos::CosmosSettings settings = view.settings();
        settings.filledColor = *palette;
        view.setSettings(settings);
    }
    for (const std::shared_ptr<CALayer>& star : view.layer()->sublayers()) applyLightStyleShadow(*star);
}

void ColorManager::applyShadow(CALayer& layer) {
    bool dark = isDarkStyle();
    layer.setMasksToBounds(false);
    layer.setShadowColor(ThemeColor::shadow().cgColor());
    layer.setShadowOpacity(0.5f);
    layer.setShadowOffset(dark ? CGSize{0, 0} : CGSize{0, 1.5});
    layer.setShadowRadius(dark ? 1.0 : 2.0);
}

void ColorManager::applyLightStyleShadow(CALayer& layer) {
    if (isDarkStyle()) return;
    layer.setMasksToBounds(false);
    layer.setShadowColor(ThemeColor::secondaryGray().cgColor());
    layer.setShadowOpacity(0.7f);
    layer.setShadowOffset({0, 1.0});
    layer.setShadowRadius(1.0);
}

std::optional<std::string> hexString(const UIColor& color) {
    CGFloat red = 0, green = 0, blue = 0, alpha = 0;
    if (!color.getRed(&red, &green, &blue, &alpha)) return std::nullopt;
    // Truncated, not rounded; components are never outside 0...1, so each channel fits a byte.
    auto channel = [](CGFloat component) { return static_cast<unsigned>(component * 255); };
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", channel(red) << 16 | channel(green) << 8 | channel(blue));
    return std::string(text);
}
