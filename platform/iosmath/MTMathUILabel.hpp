#pragma once

#include "platform/iosmath/MTMathListDisplay.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIView.hpp"

#include <cairo.h>

#include <optional>
#include <string>

// Display mode sets fractions and scripts large, as in a displayed equation; text mode sets
// them compact, as within a line of prose.
enum class MTMathUILabelMode : int { Display = 0, Text = 1 };

enum class MTTextAlignment : int { Left = 0, Center = 1, Right = 2 };

// A view that shows one LaTeX formula. Setting the LaTeX typesets it at once; when it cannot be
// typeset, the label shows the reason in red instead, wrapped to the label's width.
class MTMathUILabel : public UIView {
public:
    MTMathUILabel();
    explicit MTMathUILabel(const CGRect& frame);

    const std::string& latex() const { return latex_; }
    void setLatex(std::string latex);

    const UIColor& textColor() const { return textColor_; }
    void setTextColor(UIColor color);

    CGFloat fontSize() const { return fontSize_; }
    void setFontSize(CGFloat size);

    MTMathUILabelMode labelMode() const { return labelMode_; }
    void setLabelMode(MTMathUILabelMode mode);

    MTTextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(MTTextAlignment alignment);

    // Why the LaTeX could not be typeset; none when it could.
    const std::optional<std::string>& error() const { return error_; }
    // The typeset formula, or the error message when there is one.
    const MTMathListDisplay& displayList() const { return display_; }

    // A formula's own size; an error message's when wrapped to size.width (when that is given).
    CGSize sizeThatFits(CGSize size) const override;
    CGSize intrinsicContentSize() const override;
    // Wraps an error message anew when the label's width has changed.
    void layoutSubviews() override;

    // Draws the formula in the label's own coordinates (origin at the bounds' top left):
    // aligned as set horizontally and centred vertically.
    void drawInContext(cairo_t* cr) const;
    // Draws into the current graphics context, as the drawing backend asks views to.
    void drawRect(const CGRect& rect) const override;

private:
    void typeset();
    MTMathListDisplay errorDisplay(CGFloat width) const;

    std::string latex_;
    UIColor textColor_ = UIColor::blackColor();
    CGFloat fontSize_ = 20;
    MTMathUILabelMode labelMode_ = MTMathUILabelMode::Display;
    MTTextAlignment textAlignment_ = MTTextAlignment::Left;
    std::optional<std::string> error_;
    MTMathListDisplay display_;
    CGFloat wrappedWidth_ = 0;  // the width the error message was wrapped to
};
