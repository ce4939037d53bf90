#include "platform/dttextfield/DTTextField.hpp"

DTTextField::DTTextField() : DTTextField(CGRectZero) {}

DTTextField::DTTextField(const CGRect& frame) : UITextField(frame)
{
    dtLayer_->setBorderWidth(1);
    dtLayer_->setCornerRadius(4);
    dtLayer_->setBorderColor(borderColor_.cgColor());
    dtLayer_->setBackgroundColor(UIColor::whiteColor().cgColor());
    dtLayer_->setFrame({CGPointZero, frame.size});
}

DTTextField::DTTextField(const NSCoder& /*coder*/) : DTTextField() {}

void DTTextField::setBorderColor(const UIColor& color)
{
    borderColor_ = color;
    dtLayer_->setBorderColor(canShowBorder_ ? std::optional<CGColor>(color.cgColor()) : std::nullopt);
}

void DTTextField::setCanShowBorder(bool shows)
{
    canShowBorder_ = shows;
    setBorderColor(borderColor_);
}

void DTTextField::setFloatPlaceholderFont(std::optional<UIFont> font)
{
    if (font) {
        floatPlaceholderFont_ = *font;
    }
}

void DTTextField::showError(std::optional<std::string> message)
{
    if (message) {
        errorMessage_ = *message;
    }
    showingError_ = true;
    setNeedsLayout();
}

void DTTextField::hideError()
{
    showingError_ = false;
    setNeedsLayout();
}

bool DTTextField::becomeFirstResponder()
{
    bool became = UITextField::becomeFirstResponder();
    if (became && hideErrorWhenEditing_) {
        hideError();
    }
    return became;
}

std::shared_ptr<CALayer> DTTextField::makeBackingLayer() const
{
    auto backing = UITextField::makeBackingLayer();
    backing->addSublayer(dtLayer_);
    return backing;
}

void DTTextField::layoutSubviews()
{
    dtLayer_->setFrame(bounds());
    UITextField::layoutSubviews();
}
