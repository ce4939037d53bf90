#include "platform/render/DialogPainter.hpp"

#include "platform/render/CairoHandles.hpp"
#include "platform/render/ShapePaths.hpp"
#include "platform/render/TextDrawing.hpp"
#include "platform/uikit/UITraitCollection.hpp"

namespace render {
namespace {

void fill(cairo_t* cr, const CGColor& c)
{
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
    cairo_fill(cr);
}

void drawCentredText(cairo_t* cr, const std::string& text, const UIFont& font, const CGColor& color, const CGRect& frame, int lines)
{
    TextStyle style;
    style.font = font;
    style.color = color;
    style.alignment = NSTextAlignment::Center;
    style.numberOfLines = lines;
    style.lineBreakMode = lines == 1 ? NSLineBreakMode::ByTruncatingTail : NSLineBreakMode::ByWordWrapping;
    TextLayout(text, style, frame.size.width).drawInRect(cr, frame);
}

} // namespace

void paintDialog(cairo_t* cr, const DialogLayout& layout, const CGRect& backdrop)
{
    bool dark = UITraitCollection::currentTraitCollection().isDark();
    CairoStateGuard state(cr);
    if (layout.dimmed) {
        cairo_rectangle(cr, backdrop.origin.x, backdrop.origin.y, backdrop.size.width, backdrop.size.height);
        fill(cr, {0, 0, 0, 0.2});
    }

    addRoundedRect(cr, layout.panel, 14);
    fill(cr, dark ? CGColor{0.17, 0.17, 0.18, 0.98} : CGColor{0.97, 0.97, 0.97, 0.98});
    CGColor text = dark ? CGColor{1, 1, 1, 1} : CGColor{0, 0, 0, 1};
    drawCentredText(cr, layout.title, DialogFonts::title(), text, layout.titleFrame, 0);
    drawCentredText(cr, layout.message, DialogFonts::message(), text, layout.messageFrame, 0);

    CGColor separator = dark ? CGColor{0.33, 0.33, 0.35, 1} : CGColor{0.78, 0.78, 0.8, 1};
    cairo_set_line_width(cr, 0.5);
    for (const auto& button : layout.buttons) {
        const CGRect& f = button.frame;
        cairo_set_source_rgba(cr, separator.red, separator.green, separator.blue, separator.alpha);
        cairo_move_to(cr, f.minX(), f.minY() + 0.25);
        cairo_line_to(cr, f.maxX(), f.minY() + 0.25);
        if (!layout.stacked && f.minX() > layout.panel.minX()) {
            cairo_move_to(cr, f.minX() + 0.25, f.minY());
            cairo_line_to(cr, f.minX() + 0.25, f.maxY());
        }
        cairo_stroke(cr);
        CGColor tint = button.style == UIAlertActionStyle::Destructive ? CGColor{1, 0.23, 0.19, 1}
                                                                       : (dark ? CGColor{0.04, 0.52, 1, 1} : CGColor{0, 0.48, 1, 1});
        if (!button.enabled) {
            tint.alpha = 0.35;
        }
        drawCentredText(cr, button.title, DialogFonts::button(button.style == UIAlertActionStyle::Cancel), tint, f, 1);
    }
}

} // namespace render
