#include "platform/render/TextFieldPainter.hpp"

#include "platform/render/CairoHandles.hpp"
#include "platform/render/ShapePaths.hpp"
#include "platform/render/TextDrawing.hpp"
#include "platform/uikit/UITraitCollection.hpp"

namespace render {

CGRect textFieldTextRect(const UITextField& field)
{
    CGRect bounds = field.bounds();
    double inset = field.borderStyle() == UITextBorderStyle::None ? 0 : 7;
    return bounds.insetBy(inset, 0);
}

void paintTextField(const UITextField& field, cairo_t* cr)
{
    CGRect bounds = field.bounds();
    CairoStateGuard state(cr);
    switch (field.borderStyle()) {
    case UITextBorderStyle::RoundedRect:
        addRoundedRect(cr, bounds.insetBy(0.5, 0.5), 5);
        cairo_set_source_rgba(cr, 0.8, 0.8, 0.8, 1);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        break;
    case UITextBorderStyle::Line:
    case UITextBorderStyle::Bezel:
        cairo_rectangle(cr, bounds.origin.x + 0.5, bounds.origin.y + 0.5, bounds.size.width - 1, bounds.size.height - 1);
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        break;
    case UITextBorderStyle::None: break;
    }

    CGRect box = textFieldTextRect(field);
    TextStyle style;
    style.font = field.font();
    style.alignment = field.textAlignment();
    style.lineBreakMode = NSLineBreakMode::ByClipping;
    bool showsPlaceholder = field.text().empty() && field.placeholder() && !field.placeholder()->empty();
    CGColor placeholder = UITraitCollection::currentTraitCollection().isDark() ? CGColor{0.92, 0.92, 0.96, 0.3} : CGColor{0.24, 0.24, 0.26, 0.3};
    style.color = showsPlaceholder ? placeholder : resolvedColor(field.textColor());
    TextLayout text(showsPlaceholder ? *field.placeholder() : field.text(), style, 0);
    CGSize used = text.size();
    double slack = box.size.width - used.width;
    double left = box.origin.x + (style.alignment == NSTextAlignment::Center ? slack / 2 : style.alignment == NSTextAlignment::Right ? slack : 0);
    double lineHeight = std::max(used.height, field.font().pointSize() * 1.2);
    double top = box.midY() - lineHeight / 2;

    auto selection = field.selectedTextRange();
    CGColor tint = resolvedColor(field.tintColor());
    if (selection && !showsPlaceholder && selection->start.offset != selection->end.offset) {
        double x1 = left + text.xOfCharacter(static_cast<long>(selection->start.offset));
        double x2 = left + text.xOfCharacter(static_cast<long>(selection->end.offset));
        cairo_rectangle(cr, std::min(x1, x2), top, std::abs(x2 - x1), lineHeight);
        cairo_set_source_rgba(cr, tint.red, tint.green, tint.blue, 0.25);
        cairo_fill(cr);
    }
    text.drawInRect(cr, box);
    if (selection && selection->start.offset == selection->end.offset) {
        double x = showsPlaceholder ? left : left + text.xOfCharacter(static_cast<long>(selection->end.offset));
        cairo_rectangle(cr, x, top, 2, lineHeight);
        cairo_set_source_rgba(cr, tint.red, tint.green, tint.blue, 1);
        cairo_fill(cr);
    }
}

} // namespace render
