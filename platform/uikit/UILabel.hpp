#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/uikit/NSAttributedString.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIView.hpp"

enum class NSTextAlignment : int { Left = 0, Center = 1, Right = 2, Justified = 3, Natural = 4 };

enum class NSLineBreakMode : int { ByWordWrapping = 0, ByCharWrapping = 1, ByClipping = 2, ByTruncatingHead = 3, ByTruncatingTail = 4 };

// A read-only text. Plain and attributed text are two views of one content: setting either
// replaces the other. Setting the font to none restores the default (system, 17 points).
class UILabel : public UIView {
public:
    UILabel();
    explicit UILabel(const CGRect& frame);

    const std::optional<std::string>& text() const { return text_; }
    void setText(std::optional<std::string> text);
    const std::optional<NSAttributedString>& attributedText() const { return attributedText_; }
    void setAttributedText(std::optional<NSAttributedString> text);

    const UIFont& font() const { return font_; }
    void setFont(std::optional<UIFont> font);
    const UIColor& textColor() const { return textColor_; }
    // None restores the default label colour. Like the font, the colour applies to the whole
    // attributed text, as it does on the platform.
    void setTextColor(std::optional<UIColor> color);
    NSTextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(NSTextAlignment alignment) { textAlignment_ = alignment; }
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines) { numberOfLines_ = lines < 0 ? 0 : lines; }
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSizeToFitWidth_; }
    void setAdjustsFontSizeToFitWidth(bool adjusts) { adjustsFontSizeToFitWidth_ = adjusts; }
    NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(NSLineBreakMode mode) { lineBreakMode_ = mode; }

    // An estimate until text is measured by the drawing layer: half an em per character, one
    // line-height per line.
    CGSize sizeThatFits(CGSize size) const override;
    CGSize intrinsicContentSize() const override { return sizeThatFits(CGSizeZero); }

private:
    void restyleAttributedText(const std::function<void(NSAttributes&)>& change);

    std::optional<std::string> text_;
    std::optional<NSAttributedString> attributedText_;
    UIFont font_ = UIFont::systemFontOfSize(17);
    UIColor textColor_ = UIColor::labelColor();
    NSTextAlignment textAlignment_ = NSTextAlignment::Natural;
    int numberOfLines_ = 1;
    bool adjustsFontSizeToFitWidth_ = false;
    NSLineBreakMode lineBreakMode_ = NSLineBreakMode::ByTruncatingTail;
};
