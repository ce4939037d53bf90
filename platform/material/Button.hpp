#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/UIButton.hpp"

namespace Material {

enum class DepthPreset : int { none = 0, depth1, depth2, depth3, depth4, depth5 };

// The framework's button: a UIButton whose image and title (normal state) are also plain
// properties, with a depth (shadow) preset.
class Button : public UIButton {
public:
    Button() = default;
    explicit Button(const CGRect& frame) : UIButton(frame) {}
    Button(std::optional<std::string> title, std::optional<UIColor> titleColor);
    Button(std::shared_ptr<UIImage> image, std::optional<UIColor> tintColor);

    std::shared_ptr<UIImage> image() const { return imageForState(UIControlStateNormal); }
    void setImage(std::shared_ptr<UIImage> image) { UIButton::setImage(std::move(image), UIControlStateNormal); }
    using UIButton::setImage;
    std::optional<std::string> title() const { return titleForState(UIControlStateNormal); }
    void setTitle(std::optional<std::string> title) { UIButton::setTitle(std::move(title), UIControlStateNormal); }
    using UIButton::setTitle;
    std::optional<UIColor> titleColor() const { return titleColorForState(UIControlStateNormal); }
    void setTitleColor(std::optional<UIColor> color) { UIButton::setTitleColor(std::move(color), UIControlStateNormal); }
    using UIButton::setTitleColor;

    DepthPreset depthPreset() const { return depthPreset_; }
    void setDepthPreset(DepthPreset preset) { depthPreset_ = preset; }
    const std::optional<UIColor>& pulseColor() const { return pulseColor_; }
    void setPulseColor(std::optional<UIColor> color) { pulseColor_ = std::move(color); }

private:
    DepthPreset depthPreset_ = DepthPreset::none;
    std::optional<UIColor> pulseColor_;
};

// A square button showing an icon.
class IconButton : public Button {
public:
    using Button::Button;
};

// A flat button without shadow.
class FlatButton : public Button {
public:
    using Button::Button;
};

// A round floating action button.
class FABButton : public Button {
public:
    FABButton() { setDepthPreset(DepthPreset::depth1); }
    using Button::Button;
};

} // namespace Material
