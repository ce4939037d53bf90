#include "platform/uikit/UITextField.hpp"

#include <algorithm>

namespace {

bool startsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

} // namespace

UITextField::UITextField() : UITextField(CGRectZero) {}

UITextField::UITextField(const CGRect& frame) : UIControl(frame) {}

int64_t UITextField::length() const
{
    return static_cast<int64_t>(std::count_if(text_.begin(), text_.end(), startsCharacter));
}

size_t UITextField::byteOffset(int64_t characterOffset) const
{
    int64_t seen = 0;
    for (size_t i = 0; i < text_.size(); ++i) {
        if (startsCharacter(text_[i])) {
            if (seen == characterOffset) {
                return i;
            }
            ++seen;
        }
    }
    return text_.size();
}

void UITextField::setText(std::optional<std::string> text)
{
    text_ = text.value_or("");
    // The platform moves the cursor to the end when the text is replaced wholesale.
    selection_ = {{length()}, {length()}};
    setNeedsDisplay();
}

bool UITextField::canResignFirstResponder() const
{
    auto d = delegate();
    auto self = std::const_pointer_cast<UITextField>(as<UITextField>());
    return !d || d->textFieldShouldEndEditing(self);
}

bool UITextField::becomeFirstResponder()
{
    if (isFirstResponder()) {
        return true;
    }
    if (!canBecomeFirstResponder()) {
        return false;
    }
    auto self = as<UITextField>();
    if (auto d = delegate(); d && !d->textFieldShouldBeginEditing(self)) {
        return false;
    }
    return UIResponder::becomeFirstResponder();
}

void UITextField::didChangeFirstResponderStatus(bool isFirst)
{
    auto self = as<UITextField>();
    auto d = delegate();
    if (isFirst) {
        selection_ = {{length()}, {length()}};
        sendActionsForControlEvents(UIControlEventEditingDidBegin);
        if (d) {
            d->textFieldDidBeginEditing(self);
        }
    } else {
        sendActionsForControlEvents(UIControlEventEditingDidEnd);
        if (d) {
            d->textFieldDidEndEditing(self);
        }
    }
}

void UITextField::tap()
{
    if (!isEnabled() || isHidden() || !isUserInteractionEnabled()) {
        return;
    }
    becomeFirstResponder();
}

std::optional<UITextRange> UITextField::selectedTextRange() const
{
    if (!isFirstResponder()) {
        return std::nullopt;
    }
    return clamped(selection_);
}

void UITextField::setSelectedTextRange(const std::optional<UITextRange>& range)
{
    if (!range || !isFirstResponder()) {
        return;
    }
    selection_ = clamped(*range);
}

UITextRange UITextField::clamped(UITextRange range) const
{
    int64_t n = length();
    range.start.offset = std::clamp<int64_t>(range.start.offset, 0, n);
    range.end.offset = std::clamp<int64_t>(range.end.offset, 0, n);
    if (range.end < range.start) {
        std::swap(range.start, range.end);
    }
    return range;
}

std::optional<UITextPosition> UITextField::positionFromPosition(UITextPosition position, int64_t offset) const
{
    int64_t target = position.offset + offset;
    if (target < 0 || target > length()) {
        return std::nullopt;
    }
    return UITextPosition{target};
}

std::optional<UITextRange> UITextField::textRangeFromPosition(UITextPosition from, UITextPosition to) const
{
    int64_t n = length();
    if (from.offset < 0 || to.offset < 0 || from.offset > n || to.offset > n) {
        return std::nullopt;
    }
    return clamped({from, to});
}

std::string UITextField::textInRange(const UITextRange& range) const
{
    UITextRange r = clamped(range);
    size_t begin = byteOffset(r.start.offset);
    size_t end = byteOffset(r.end.offset);
    return text_.substr(begin, end - begin);
}

void UITextField::replaceRange(const UITextRange& range, const std::string& text)
{
    UITextRange r = clamped(range);
    size_t begin = byteOffset(r.start.offset);
    size_t end = byteOffset(r.end.offset);
    text_.replace(begin, end - begin, text);
    int64_t inserted = static_cast<int64_t>(std::count_if(text.begin(), text.end(), startsCharacter));
    UITextPosition cursor{r.start.offset + inserted};
    selection_ = {cursor, cursor};
    sendActionsForControlEvents(UIControlEventEditingChanged);
    setNeedsDisplay();
}

void UITextField::insertText(const std::string& text)
{
    UITextRange r = clamped(selection_);
    if (auto d = delegate(); d && !d->textFieldShouldChangeCharactersInRange(as<UITextField>(), {r.start.offset, r.end.offset - r.start.offset}, text)) {
        return;
    }
    replaceRange(r, text);
}

void UITextField::deleteBackward()
{
    UITextRange r = clamped(selection_);
    if (r.isEmpty()) {
        if (r.start.offset == 0) {
            return;
        }
        r.start.offset -= 1;
    }
    if (auto d = delegate(); d && !d->textFieldShouldChangeCharactersInRange(as<UITextField>(), {r.start.offset, r.end.offset - r.start.offset}, "")) {
        return;
    }
    replaceRange(r, "");
}

bool UITextField::pressReturn()
{
    auto d = delegate();
    return !d || d->textFieldShouldReturn(as<UITextField>());
}
