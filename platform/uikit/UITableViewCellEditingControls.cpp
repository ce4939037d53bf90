#include "platform/uikit/UITableViewCellEditingControls.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/SystemStrings.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"
#include "platform/uikit/UITraitCollection.hpp"

namespace {

void setSource(cairo_t* cr, const UIColor& color)
{
    CGColor c = color.resolvedColorWithTraitCollection(UITraitCollection::currentTraitCollection()).cgColor();
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

} // namespace

UITableViewCellEditControl::UITableViewCellEditControl() : UIControl(CGRect{0, 0, width, 44})
{
    setOpaque(false);
}

void UITableViewCellEditControl::drawRect(const CGRect& /*rect*/) const
{
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) {
        return;
    }
    CGRect b = bounds();
    // The disc sits where the content would start without editing, centred on the row.
    double radius = std::min({11.0, b.size.height / 2 - 2, b.size.width / 2 - 2});
    if (radius <= 2) {
        return;
    }
    double cx = b.maxX() - 8 - radius;
    double cy = b.midY();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    setSource(cr, UIColor::systemRedColor());
    cairo_fill(cr);
    cairo_rectangle(cr, cx - radius * 0.55, cy - 1, radius * 1.1, 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

UITableViewCellReorderControl::UITableViewCellReorderControl() : UIView(CGRect{0, 0, width, 44})
{
    setOpaque(false);
}

void UITableViewCellReorderControl::drawRect(const CGRect& /*rect*/) const
{
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr) {
        return;
    }
    CGRect b = bounds();
    double lineWidth = std::min(18.0, b.size.width - 16);
    if (lineWidth <= 0) {
        return;
    }
    double x = b.midX() - lineWidth / 2;
    cairo_save(cr);
    cairo_new_path(cr);
    for (int i = -1; i <= 1; ++i) {
        cairo_rectangle(cr, x, std::round(b.midY() + i * 5.0) - 0.75, lineWidth, 1.5);
    }
    setSource(cr, UIColor::systemGrayColor());
    cairo_fill(cr);
    cairo_restore(cr);
}

namespace {

constexpr CGFloat englishDeleteWidth = 74;
constexpr CGFloat deleteTitleMargin = 12;

} // namespace

CGFloat UITableViewCellDeleteConfirmationButton::width()
{
    // The word stays the same for the life of the process, as the language of the texts does.
    static const CGFloat revealed = [] {
        UITableViewCellDeleteConfirmationButton button;
        CGFloat title = std::ceil(button.sizeThatFits(CGSizeZero).width);
        return std::max(englishDeleteWidth, title + 2 * deleteTitleMargin);
    }();
    return revealed;
}

UITableViewCellDeleteConfirmationButton::UITableViewCellDeleteConfirmationButton() : UIButton(CGRect{0, 0, englishDeleteWidth, 44})
{
    setBackgroundColor(UIColor::systemRedColor());
    // The system's word in the language of the application's texts, not the user's first choice.
    setTitle(uikit::systemString("Delete", NSBundle::mainBundle()), UIControlStateNormal);
    setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    setClipsToBounds(true);
}
