#pragma once

#include "platform/uikit/UIView.hpp"

enum class UIActivityIndicatorViewStyle : int { Medium = 100, Large = 101 };

// A spinner. Hidden while stopped when hidesWhenStopped (the default).
class UIActivityIndicatorView : public UIView {
public:
    explicit UIActivityIndicatorView(UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::Medium);

    UIActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
    const UIColor& color() const { return color_; }
    void setColor(std::optional<UIColor> color) { color_ = color.value_or(UIColor::grayColor()); }
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }

private:
    UIActivityIndicatorViewStyle style_;
    UIColor color_ = UIColor::grayColor();
    bool hidesWhenStopped_ = true;
    bool animating_ = false;
};
