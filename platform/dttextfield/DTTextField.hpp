#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/CALayer.hpp"
#include "platform/uikit/UITextField.hpp"

enum class DTFloatingDisplayStatus : int { always = 0, never = 1, defaults = 2 };

// A text field with a floating placeholder, a bordered background layer of its own and an
// error line below. All of UITextField applies. The border colour is drawn by the background
// layer, so reading the layer's border colour gives the field's.
class DTTextField : public UITextField {
public:
    DTTextField();
    explicit DTTextField(const CGRect& frame);
    explicit DTTextField(const NSCoder& coder);

    // The background layer behind the text (a sublayer of the field's layer).
    const std::shared_ptr<CALayer>& dtLayer() const { return dtLayer_; }

    const UIColor& borderColor() const { return borderColor_; }
    void setBorderColor(const UIColor& color);
    CGFloat borderWidth() const { return dtLayer_->borderWidth(); }
    void setBorderWidth(CGFloat width) { dtLayer_->setBorderWidth(width); }
    CGFloat cornerRadius() const { return dtLayer_->cornerRadius(); }
    void setCornerRadius(CGFloat radius) { dtLayer_->setCornerRadius(radius); }
    bool canShowBorder() const { return canShowBorder_; }
    void setCanShowBorder(bool shows);

    const UIColor& placeholderColor() const { return placeholderColor_; }
    void setPlaceholderColor(const UIColor& color) { placeholderColor_ = color; }
    const UIColor& floatPlaceholderColor() const { return floatPlaceholderColor_; }
    void setFloatPlaceholderColor(const UIColor& color) { floatPlaceholderColor_ = color; }
    const UIColor& floatPlaceholderActiveColor() const { return floatPlaceholderActiveColor_; }
    void setFloatPlaceholderActiveColor(const UIColor& color) { floatPlaceholderActiveColor_ = color; }
    const UIFont& floatPlaceholderFont() const { return floatPlaceholderFont_; }
    // None keeps the current font.
    void setFloatPlaceholderFont(std::optional<UIFont> font);
    CGFloat paddingYFloatLabel() const { return paddingYFloatLabel_; }
    void setPaddingYFloatLabel(CGFloat padding) { paddingYFloatLabel_ = padding; }
    DTFloatingDisplayStatus floatingDisplayStatus() const { return floatingDisplayStatus_; }
    void setFloatingDisplayStatus(DTFloatingDisplayStatus status) { floatingDisplayStatus_ = status; }
    bool hideErrorWhenEditing() const { return hideErrorWhenEditing_; }
    void setHideErrorWhenEditing(bool hides) { hideErrorWhenEditing_ = hides; }

    const UIColor& errorTextColor() const { return errorTextColor_; }
    void setErrorTextColor(const UIColor& color) { errorTextColor_ = color; }
    const std::string& errorMessage() const { return errorMessage_; }
    bool isShowingError() const { return showingError_; }
    void showError(std::optional<std::string> message = std::nullopt);
    void hideError();

    bool becomeFirstResponder() override;
    void layoutSubviews() override;

protected:
    std::shared_ptr<CALayer> makeBackingLayer() const override;

private:
    std::shared_ptr<CALayer> dtLayer_ = std::make_shared<CALayer>();
    UIColor borderColor_ = UIColor::lightGrayColor();
    bool canShowBorder_ = true;
    UIColor placeholderColor_ = UIColor::lightGrayColor();
    UIColor floatPlaceholderColor_ = UIColor::blackColor();
    UIColor floatPlaceholderActiveColor_ = UIColor::blackColor();
    UIFont floatPlaceholderFont_ = UIFont::systemFontOfSize(10);
    CGFloat paddingYFloatLabel_ = 3;
    DTFloatingDisplayStatus floatingDisplayStatus_ = DTFloatingDisplayStatus::defaults;
    bool hideErrorWhenEditing_ = true;
    UIColor errorTextColor_ = UIColor::redColor();
    std::string errorMessage_;
    bool showingError_ = false;
};
