#include "platform/uikit/UILabel.hpp"

#include <algorithm>
#include <cmath>

namespace {


} // namespace

UILabel::UILabel() : UILabel(CGRectZero) {}

UILabel::UILabel(const CGRect& frame) : UIView(frame)
{
    setUserInteractionEnabled(false);
    setOpaque(false);
}

void UILabel::setText(std::optional<std::string> text)
{
    text_ = std::move(text);
    attributedText_ = text_ ? std::optional<NSAttributedString>(NSAttributedString(*text_, {font_, textColor_})) : std::nullopt;
    setNeedsDisplay();
}

void UILabel::setAttributedText(std::optional<NSAttributedString> text)
{
    attributedText_ = std::move(text);
    text_ = attributedText_ ? std::optional<std::string>(attributedText_->string()) : std::nullopt;
    setNeedsDisplay();
}

void UILabel::setFont(std::optional<UIFont> font)
{
    font_ = font.value_or(UIFont::systemFontOfSize(17));
    restyleAttributedText([this](NSAttributes& attributes) { attributes.font = font_; });
}

void UILabel::setTextColor(std::optional<UIColor> color)
{
    textColor_ = color.value_or(UIColor::labelColor());
    restyleAttributedText([this](NSAttributes& attributes) { attributes.foregroundColor = textColor_; });
}

void UILabel::restyleAttributedText(const std::function<void(NSAttributes&)>& change)
{
    if (!attributedText_ || attributedText_->runs().empty()) {
        return;
    }
    const std::string& text = attributedText_->string();
    NSAttributedString restyled;
    for (const auto& run : attributedText_->runs()) {
        NSAttributes attributes = run.attributes;
        change(attributes);
        restyled.append(NSAttributedString(text.substr(std::min(run.location, text.size()), run.length), attributes));
    }
    attributedText_ = std::move(restyled);
    setNeedsDisplay();
}

CGSize UILabel::sizeThatFits(CGSize size) const
{
    if (!text_ || text_->empty()) {
        return CGSizeZero;
    }
    CGFloat lineHeight = std::ceil(font_.pointSize() * 1.2);
    size_t lines = 1;
    size_t longest = 0;
    size_t current = 0;
    for (char c : *text_) {
        if (c == '\n') {
            ++lines;
            longest = std::max(longest, current);
            current = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++current;
        }
    }
    longest = std::max(longest, current);
    CGFloat width = std::ceil(static_cast<CGFloat>(longest) * font_.pointSize() * 0.5);
    if (size.width > 0 && width > size.width && numberOfLines_ != 1) {
        size_t wrapped = static_cast<size_t>(std::ceil(width / size.width));
        lines = std::max(lines, wrapped);
        width = size.width;
    }
    if (numberOfLines_ > 0) {
        lines = std::min(lines, static_cast<size_t>(numberOfLines_));
    }
    return {width, lineHeight * static_cast<CGFloat>(lines)};
}
