#pragma once

#include <optional>
#include <string>

#include "platform/render/CairoHandles.hpp"
#include "platform/uikit/NSAttributedString.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UILabel.hpp"

namespace render {

// How a piece of text is set: what labels, buttons, text fields and dialogs share.
struct TextStyle {
    UIFont font = UIFont::systemFontOfSize(17);
    CGColor color{0, 0, 0, 1};
    NSTextAlignment alignment = NSTextAlignment::Natural;
    // 0 means as many lines as the text needs.
    int numberOfLines = 1;
    NSLineBreakMode lineBreakMode = NSLineBreakMode::ByTruncatingTail;
    // Single lines shrink (down to a third of the size) instead of being cut.
    bool shrinkToFitWidth = false;
};

// Text laid out with Pango for one width. Text that is not valid UTF-8 is repaired first, so a
// bad byte never reaches Pango.
class TextLayout {
public:
    TextLayout(const std::string& text, const TextStyle& style, double width);
    TextLayout(const NSAttributedString& text, const TextStyle& style, double width);

    // The size the text takes (after shrinking and the line limit).
    CGSize size() const;
    // Draws the text centred vertically in the rectangle, cut to it.
    void drawInRect(cairo_t* cr, const CGRect& rect) const;
    // Where the character offset (in code points) sits on the first line, from the left of the
    // layout box, for cursors and selections.
    double xOfCharacter(long offset) const;
    PangoLayout* layout() const { return layout_.get(); }

private:
    void setUp(const std::string& validText, const TextStyle& style, double width, PangoAttrList* attributes);

    PangoLayoutHandle layout_;
    TextStyle style_;
    std::string text_;
    double width_ = 0;
    bool manualAlignment_ = false;
};

// The text's size for a label-like view given the width available (0 or less: unlimited).
CGSize measureText(const std::string& text, const TextStyle& style, double width);

CGColor resolvedColor(const UIColor& color);

} // namespace render
