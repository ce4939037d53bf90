#include "platform/render/ViewContentPainter.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <numbers>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/render/CairoHandles.hpp"
#include "platform/render/DialogPainter.hpp"
#include "platform/render/ImageDrawing.hpp"
#include "platform/render/TextDrawing.hpp"
#include "platform/render/TextFieldPainter.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "platform/uikit/UITextField.hpp"

namespace render {
namespace {

void paintLabel(const UILabel& label, cairo_t* cr)
{
    TextStyle style;
    style.font = label.font();
    style.color = resolvedColor(label.textColor());
    style.alignment = label.textAlignment();
    style.numberOfLines = label.numberOfLines();
    style.lineBreakMode = label.lineBreakMode();
    style.shrinkToFitWidth = label.adjustsFontSizeToFitWidth();
    CGRect bounds = label.bounds();
    if (label.attributedText() && !label.attributedText()->string().empty()) {
        TextLayout(*label.attributedText(), style, bounds.size.width).drawInRect(cr, bounds);
    } else if (label.text() && !label.text()->empty()) {
        TextLayout(*label.text(), style, bounds.size.width).drawInRect(cr, bounds);
    }
}

// Twelve spokes, brightest at a position that turns once a second.
void paintSpinner(const UIActivityIndicatorView& spinner, cairo_t* cr)
{
    if (!spinner.isAnimating() && spinner.hidesWhenStopped()) {
        return;
    }
    CGRect bounds = spinner.bounds();
    double radius = std::min(bounds.size.width, bounds.size.height) / 2;
    if (radius <= 0) {
        return;
    }
    CGColor c = resolvedColor(spinner.color());
    int lead = spinner.isAnimating() ? static_cast<int>(std::fmod(DispatchClock::now(), 1.0) * 12) : 0;
    CairoStateGuard state(cr);
    cairo_translate(cr, bounds.midX(), bounds.midY());
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, radius * 0.18);
    for (int i = 0; i < 12; ++i) {
        double angle = i * std::numbers::pi / 6 - std::numbers::pi / 2;
        int age = (lead - i + 12) % 12;
        cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * (1.0 - age / 14.0));
        cairo_move_to(cr, std::cos(angle) * radius * 0.45, std::sin(angle) * radius * 0.45);
        cairo_line_to(cr, std::cos(angle) * radius * 0.95, std::sin(angle) * radius * 0.95);
        cairo_stroke(cr);
    }
}

template <class T>
bool hasSubviewOf(const UIView& view)
{
    return std::any_of(view.subviews().begin(), view.subviews().end(), [](const auto& sub) { return dynamic_cast<const T*>(sub.get()); });
}

// A button's title and image before anyone asked for its title label or image view (which it
// makes only on demand): the image left of the title, the pair centred.
void paintButtonContent(const UIButton& button, cairo_t* cr)
{
    auto title = button.currentTitle();
    auto image = button.currentImage();
    bool drawTitle = title && !title->empty() && !hasSubviewOf<UILabel>(button);
    bool drawIcon = image && !hasSubviewOf<UIImageView>(button);
    if (!drawTitle && !drawIcon) {
        return;
    }
    CGColor tint = resolvedColor(button.tintColor());
    TextStyle style;
    style.font = UIFont::systemFontOfSize(15);
    auto colour = button.titleColorForState(button.state());
    style.color = colour ? resolvedColor(*colour) : (button.buttonType() == UIButtonType::System ? tint : CGColor{1, 1, 1, 1});
    if (!button.isEnabled()) {
        style.color.alpha *= 0.35;
    }
    CGRect bounds = button.bounds();
    std::optional<TextLayout> text;
    CGSize textSize;
    if (drawTitle) {
        text.emplace(*title, style, 0);
        textSize = text->size();
    }
    CGSize imageSize = drawIcon ? image->size() : CGSizeZero;
    double gap = drawTitle && drawIcon ? 6 : 0;
    double x = bounds.midX() - (imageSize.width + gap + textSize.width) / 2;
    if (drawIcon) {
        drawImage(cr, *image, {x, bounds.midY() - imageSize.height / 2, imageSize.width, imageSize.height}, UIViewContentMode::ScaleAspectFit,
                  tint);
    }
    if (text) {
        double left = x + imageSize.width + gap;
        text->drawInRect(cr, {left, bounds.origin.y, std::max(0.0, bounds.maxX() - left), bounds.size.height});
    }
}

void paintCellSelection(const UITableViewCell& cell, cairo_t* cr)
{
    if ((cell.isSelected() || cell.isHighlighted()) && cell.selectionStyle() != UITableViewCellSelectionStyle::None) {
        CGRect b = cell.bounds();
        cairo_rectangle(cr, b.origin.x, b.origin.y, b.size.width, b.size.height);
        cairo_set_source_rgba(cr, 0.82, 0.82, 0.84, 1);
        cairo_fill(cr);
    }
}

void paintCellSeparator(const UITableViewCell& cell, cairo_t* cr)
{
    auto table = std::dynamic_pointer_cast<UITableView>(cell.superview());
    if (!table || table->separatorStyle() != UITableViewCellSeparatorStyle::SingleLine) {
        return;
    }
    CGColor c = resolvedColor(table->separatorColor().value_or(UIColor::separatorColor()));
    CGRect b = cell.bounds();
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
    cairo_rectangle(cr, b.origin.x + 16, b.maxY() - 0.5, std::max(0.0, b.size.width - 16), 0.5);
    cairo_fill(cr);
}

} // namespace

void ViewContentPainter::paint(const UIView& view, cairo_t* cr)
{
    if (auto* label = dynamic_cast<const UILabel*>(&view)) {
        paintLabel(*label, cr);
    } else if (dynamic_cast<const UITextField*>(&view)) {
        // Drawn in the overlay: a field's own background layer (DTTextField's) must not cover it.
    } else if (auto* imageView = dynamic_cast<const UIImageView*>(&view)) {
        if (imageView->image()) {
            drawImage(cr, *imageView->image(), imageView->bounds(), imageView->contentMode(), resolvedColor(imageView->tintColor()));
        }
    } else if (auto* spinner = dynamic_cast<const UIActivityIndicatorView*>(&view)) {
        paintSpinner(*spinner, cr);
    } else if (auto* cell = dynamic_cast<const UITableViewCell*>(&view)) {
        paintCellSelection(*cell, cr);
    } else if (auto* button = dynamic_cast<const UIButton*>(&view)) {
        paintButtonContent(*button, cr);
    }
}

void ViewContentPainter::paintOverlay(const UIView& view, cairo_t* cr)
{
    if (auto* cell = dynamic_cast<const UITableViewCell*>(&view)) {
        paintCellSeparator(*cell, cr);
        return;
    }
    if (auto* field = dynamic_cast<const UITextField*>(&view)) {
        paintTextField(*field, cr);
        return;
    }
    auto controller = view.owningViewController();
    if (!controller) {
        return;
    }
    CGSize size = view.bounds().size;
    if (auto alert = std::dynamic_pointer_cast<UIAlertController>(controller)) {
        paintDialog(cr, alertLayout(*alert, size), view.bounds());
    } else if (auto sheet = std::dynamic_pointer_cast<UIActivityViewController>(controller)) {
        paintDialog(cr, shareSheetLayout(*sheet, size, isInPopover(view)), view.bounds());
    }
}

} // namespace render
