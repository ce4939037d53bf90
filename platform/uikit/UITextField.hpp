#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITextInput.hpp"

class UITextField;

// What a text field asks and tells its delegate. Every method has the platform's default.
class UITextFieldDelegate {
public:
    virtual ~UITextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(const std::shared_ptr<UITextField>& /*textField*/) { return true; }
    virtual void textFieldDidBeginEditing(const std::shared_ptr<UITextField>& /*textField*/) {}
    virtual bool textFieldShouldEndEditing(const std::shared_ptr<UITextField>& /*textField*/) { return true; }
    virtual void textFieldDidEndEditing(const std::shared_ptr<UITextField>& /*textField*/) {}
    virtual bool textFieldShouldChangeCharactersInRange(const std::shared_ptr<UITextField>& /*textField*/, NSRange /*range*/,
                                                        const std::string& /*replacement*/)
    {
        return true;
    }
    virtual bool textFieldShouldReturn(const std::shared_ptr<UITextField>& /*textField*/) { return true; }
};

enum class UITextAutocorrectionType : int { Default = 0, No = 1, Yes = 2 };
enum class UITextBorderStyle : int { None = 0, Line = 1, Bezel = 2, RoundedRect = 3 };

// A group of bar items shown above the system keyboard; the application only ever empties them.
struct UIBarButtonItemGroup {};

struct UITextInputAssistantItem {
    std::vector<UIBarButtonItemGroup> leadingBarButtonGroups;
    std::vector<UIBarButtonItemGroup> trailingBarButtonGroups;
};

// An editable line of text. Its text is never absent: "" when empty. While first responder it
// has a selection (a collapsed one is the cursor); otherwise selectedTextRange is none. Offsets
// and positions count characters (UTF-8 code points). Replacing a range puts the cursor after
// the new text. The system keyboard is never shown; keys arrive through insertText,
// deleteBackward or replaceRange.
class UITextField : public UIControl {
public:
    UITextField();
    explicit UITextField(const CGRect& frame);

    std::string text() const { return text_; }
    void setText(std::optional<std::string> text);
    // Whether the field has a text at all: always, since setting none leaves "" (as on the
    // platform, where a field's text is never absent). An empty text counts as a text; ask
    // text().empty() to know whether anything is typed. DTTextField inherits this unchanged.
    bool hasText() const { return true; }
    const std::optional<std::string>& placeholder() const { return placeholder_; }
    void setPlaceholder(std::optional<std::string> placeholder) { placeholder_ = std::move(placeholder); }

    const UIFont& font() const { return font_; }
    void setFont(std::optional<UIFont> font) { font_ = font.value_or(UIFont::systemFontOfSize(17)); }
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(std::optional<UIColor> color) { textColor_ = color.value_or(UIColor::labelColor()); }
    NSTextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(NSTextAlignment alignment) { textAlignment_ = alignment; }
    UITextBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(UITextBorderStyle style) { borderStyle_ = style; }

    std::shared_ptr<UITextFieldDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UITextFieldDelegate>& delegate) { delegate_ = delegate; }

    const std::shared_ptr<UIView>& inputView() const { return inputView_; }
    void setInputView(std::shared_ptr<UIView> view) { inputView_ = std::move(view); }
    UITextAutocorrectionType autocorrectionType() const { return autocorrectionType_; }
    void setAutocorrectionType(UITextAutocorrectionType type) { autocorrectionType_ = type; }
    UITextInputAssistantItem& inputAssistantItem() { return inputAssistantItem_; }

    // Responder: becoming first responder asks the delegate and puts the cursor at the end.
    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool canResignFirstResponder() const override;
    bool becomeFirstResponder() override;
    bool isEditing() const { return isFirstResponder(); }
    // A tap: the field becomes first responder (when its delegate agrees).
    void tap() override;

    // Selection and positions.
    std::optional<UITextRange> selectedTextRange() const;
    // Ignored while the field is not first responder; positions are clamped into the text.
    void setSelectedTextRange(const std::optional<UITextRange>& range);
    UITextPosition beginningOfDocument() const { return {0}; }
    UITextPosition endOfDocument() const { return {length()}; }
    int64_t offsetFromPosition(UITextPosition from, UITextPosition to) const { return to.offset - from.offset; }
    // None when the result would leave the text.
    std::optional<UITextPosition> positionFromPosition(UITextPosition position, int64_t offset) const;
    std::optional<UITextRange> textRangeFromPosition(UITextPosition from, UITextPosition to) const;
    std::string textInRange(const UITextRange& range) const;

    // Editing. replaceRange does not consult the delegate (as the platform's text-input
    // protocol does not); insertText and deleteBackward, like keyboard keys, do.
    void replaceRange(const UITextRange& range, const std::string& text);
    void insertText(const std::string& text);
    void deleteBackward();
    // The return key: asks the delegate.
    bool pressReturn();

    int64_t length() const;

protected:
    void didChangeFirstResponderStatus(bool isFirst) override;

private:
    UITextRange clamped(UITextRange range) const;
    size_t byteOffset(int64_t characterOffset) const;

    std::string text_;
    std::optional<std::string> placeholder_;
    UIFont font_ = UIFont::systemFontOfSize(17);
    UIColor textColor_ = UIColor::labelColor();
    NSTextAlignment textAlignment_ = NSTextAlignment::Natural;
    UITextBorderStyle borderStyle_ = UITextBorderStyle::None;
    std::weak_ptr<UITextFieldDelegate> delegate_;
    std::shared_ptr<UIView> inputView_;
    UITextAutocorrectionType autocorrectionType_ = UITextAutocorrectionType::Default;
    UITextInputAssistantItem inputAssistantItem_;
    UITextRange selection_;
};
