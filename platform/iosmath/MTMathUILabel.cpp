#include "platform/iosmath/MTMathUILabel.hpp"

#include "platform/iosmath/MathTypesetter.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr iosmath::MathColor kErrorColor = 0xFFFF0000u;

iosmath::MathColor argb(const CGColor& color) {
    auto channel = [](CGFloat value) {
        return static_cast<iosmath::MathColor>(std::lround(std::clamp<CGFloat>(value, 0, 1) * 255));
    };
    return channel(color.alpha) << 24 | channel(color.red) << 16 | channel(color.green) << 8 | channel(color.blue);
}

}  // namespace

MTMathUILabel::MTMathUILabel() : MTMathUILabel(CGRect{}) {}

MTMathUILabel::MTMathUILabel(const CGRect& frame) : UIView(frame) {}

void MTMathUILabel::setLatex(std::string latex) {
    latex_ = std::move(latex);
    typeset();
}

void MTMathUILabel::setTextColor(UIColor color) {
    textColor_ = std::move(color);
    setNeedsDisplay();
}

void MTMathUILabel::setFontSize(CGFloat size) {
    fontSize_ = size;
    typeset();
}

void MTMathUILabel::setLabelMode(MTMathUILabelMode mode) {
    labelMode_ = mode;
    typeset();
}

void MTMathUILabel::setTextAlignment(MTTextAlignment alignment) {
    textAlignment_ = alignment;
    setNeedsDisplay();
}

void MTMathUILabel::typeset() {
    auto style = labelMode_ == MTMathUILabelMode::Display ? iosmath::MathStyleLevel::Display
                                                          : iosmath::MathStyleLevel::Text;
    auto result = iosmath::MathTypesetter::layout(latex_, fontSize_, style);
    if (result.display) {
        display_ = std::move(*result.display);
        error_.reset();
    } else {
        error_ = result.error;
        wrappedWidth_ = bounds().size.width;
        display_ = errorDisplay(wrappedWidth_);
    }
    setNeedsLayout();
    setNeedsDisplay();
}

// Without a width yet, the message stays on one line until the label is given one.
MTMathListDisplay MTMathUILabel::errorDisplay(CGFloat width) const {
    MTMathListDisplay display = iosmath::MathTypesetter::layoutPlainText(
        error_.value_or(""), fontSize_, width > 0 ? width : std::numeric_limits<double>::infinity());
    for (MTDisplayItem& item : display.items) item.color = kErrorColor;
    return display;
}

void MTMathUILabel::layoutSubviews() {
    UIView::layoutSubviews();
    const CGFloat width = bounds().size.width;
    if (!error_ || width == wrappedWidth_) return;
    wrappedWidth_ = width;
    display_ = errorDisplay(width);
    setNeedsDisplay();
}

CGSize MTMathUILabel::sizeThatFits(CGSize size) const {
    if (error_ && size.width > 0 && size.width != wrappedWidth_) {
        MTMathListDisplay wrapped = errorDisplay(size.width);
        return {wrapped.width, wrapped.ascent + wrapped.descent};
    }
    return {display_.width, display_.ascent + display_.descent};
}

CGSize MTMathUILabel::intrinsicContentSize() const { return sizeThatFits(CGSizeZero); }

void MTMathUILabel::drawInContext(cairo_t* cr) const {
    const CGRect area = bounds();
    double x = area.origin.x;
    switch (textAlignment_) {
        case MTTextAlignment::Left: break;
        case MTTextAlignment::Center: x += (area.size.width - display_.width) / 2; break;
        case MTTextAlignment::Right: x += area.size.width - display_.width; break;
    }
    const double height = display_.ascent + display_.descent;
    const double baseline = area.origin.y + (area.size.height - height) / 2 + display_.ascent;
    display_.draw(cr, x, baseline, argb(textColor_.cgColor()));
}

void MTMathUILabel::drawRect(const CGRect& /*rect*/) const { drawInContext(UIGraphicsGetCurrentContext()); }
