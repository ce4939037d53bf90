#include "platform/uikit/UIButton.hpp"

#include <algorithm>

UIButton::UIButton() : UIButton(CGRectZero) {}

UIButton::UIButton(const CGRect& frame) : UIControl(frame) {}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type)
{
    auto button = std::make_shared<UIButton>();
    button->buttonType_ = type;
    return button;
}

void UIButton::setTitle(std::optional<std::string> title, UIControlState state)
{
    if (title) {
        titles_[state] = std::move(*title);
    } else {
        titles_.erase(state);
    }
    updateContent();
}

std::optional<std::string> UIButton::titleForState(UIControlState state) const
{
    return lookup(titles_, state);
}

void UIButton::setTitleColor(std::optional<UIColor> color, UIControlState state)
{
    if (color) {
        titleColors_.insert_or_assign(state, *color);
    } else {
        titleColors_.erase(state);
    }
    updateContent();
}

std::optional<UIColor> UIButton::titleColorForState(UIControlState state) const
{
    return lookup(titleColors_, state);
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state)
{
    if (image) {
        images_[state] = std::move(image);
    } else {
        images_.erase(state);
    }
    updateContent();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const
{
    return lookup(images_, state).value_or(nullptr);
}

std::shared_ptr<UILabel> UIButton::titleLabel()
{
    if (!titleLabel_) {
        titleLabel_ = std::make_shared<UILabel>(bounds());
        titleLabel_->setTextAlignment(NSTextAlignment::Center);
        titleLabel_->setFont(UIFont::systemFontOfSize(15));
        addSubview(titleLabel_);
        updateContent();
    }
    return titleLabel_;
}

std::shared_ptr<UIImageView> UIButton::imageView()
{
    if (!imageView_) {
        imageView_ = std::make_shared<UIImageView>(bounds());
        imageView_->setContentMode(UIViewContentMode::Center);
        insertSubview(imageView_, 0);
        updateContent();
    }
    return imageView_;
}

void UIButton::setEnabled(bool enabled)
{
    UIControl::setEnabled(enabled);
    updateContent();
}

void UIButton::setSelected(bool selected)
{
    UIControl::setSelected(selected);
    updateContent();
}

void UIButton::setHighlighted(bool highlighted)
{
    UIControl::setHighlighted(highlighted);
    updateContent();
}

void UIButton::updateContent()
{
    UIControlState s = state();
    if (titleLabel_) {
        titleLabel_->setText(titleForState(s));
        auto color = titleColorForState(s);
        titleLabel_->setTextColor(color ? *color : (buttonType_ == UIButtonType::System ? tintColor() : UIColor::whiteColor()));
    }
    if (imageView_) {
        imageView_->setImage(imageForState(s));
    }
    setNeedsLayout();
}

CGSize UIButton::sizeThatFits(CGSize) const
{
    CGSize size{30, 34};
    if (auto title = titleForState(state())) {
        UILabel measure;
        measure.setFont(titleLabel_ ? titleLabel_->font() : UIFont::systemFontOfSize(15));
        measure.setText(title);
        CGSize text = measure.sizeThatFits(CGSizeZero);
        size.width = std::max(size.width, text.width);
        size.height = std::max(size.height, text.height);
    }
    if (auto image = imageForState(state())) {
        size.width = std::max(size.width, image->size().width);
        size.height = std::max(size.height, image->size().height);
    }
    return size;
}

void UIButton::layoutSubviews()
{
    if (titleLabel_) {
        titleLabel_->setFrame(bounds());
    }
    if (imageView_) {
        imageView_->setFrame(bounds());
    }
}
