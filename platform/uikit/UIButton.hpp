#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"

enum class UIButtonType : int { Custom = 0, System = 1 };

// A button with a title, title colour and image per control state; a state without its own
// value shows the normal state's. The title label and image view are subviews made on first
// use and always show the values for the current state.
class UIButton : public UIControl {
public:
    UIButton();
    explicit UIButton(const CGRect& frame);
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);

    UIButtonType buttonType() const { return buttonType_; }

    void setTitle(std::optional<std::string> title, UIControlState state);
    std::optional<std::string> titleForState(UIControlState state) const;
    std::optional<std::string> currentTitle() const { return titleForState(state()); }

    void setTitleColor(std::optional<UIColor> color, UIControlState state);
    std::optional<UIColor> titleColorForState(UIControlState state) const;

    void setImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> imageForState(UIControlState state) const;
    std::shared_ptr<UIImage> currentImage() const { return imageForState(state()); }

    std::shared_ptr<UILabel> titleLabel();
    std::shared_ptr<UIImageView> imageView();

    void setEnabled(bool enabled) override;
    void setSelected(bool selected) override;
    void setHighlighted(bool highlighted) override;

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;

protected:
    void setButtonType(UIButtonType type) { buttonType_ = type; }
    // Shows the current state's title, colour and image in the subviews.
    virtual void updateContent();

private:
    template <class V>
    static std::optional<V> lookup(const std::map<UIControlState, V>& table, UIControlState state)
    {
        if (auto it = table.find(state); it != table.end()) {
            return it->second;
        }
        if (auto it = table.find(UIControlStateNormal); it != table.end()) {
            return it->second;
        }
        return std::nullopt;
    }

    UIButtonType buttonType_ = UIButtonType::Custom;
    std::map<UIControlState, std::string> titles_;
    std::map<UIControlState, UIColor> titleColors_;
    std::map<UIControlState, std::shared_ptr<UIImage>> images_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIImageView> imageView_;
};
