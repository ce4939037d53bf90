#include "Radixel/charts/views/UnitCircleChartView.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <cairo.h>

#include "Radixel/charts/views/ScreenshotFlag.hpp"
#include "platform/uikit/UIGraphicsContext.hpp"

namespace {

void setColor(cairo_t* cr, const UIColor& color) {
    CGColor c = color.cgColor();
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

}  // namespace

UnitCircleChartView::UnitCircleChartView(const CGRect& frame, std::shared_ptr<UnitCircleChartData> data)
    : UIView(frame), chartData_(std::move(data)) {
    setOpaque(false);
}

void UnitCircleChartView::restartAnimation() {
    if (isTakingScreenshot) {
        setAlpha(1);
        return;
    }
    // Two steps, so that the fade starts from nothing even when the view was fully shown.
    UIView::animateWithDuration(0, [this] { setAlpha(0); });
    UIView::animateWithDuration(animationDuration, [this] { setAlpha(1); });
}

void UnitCircleChartView::drawRect(const CGRect& /*rect*/) const {
    cairo_t* cr = UIGraphicsGetCurrentContext();
    if (!cr || !chartData_) {
        return;
    }
    CGRect b = bounds();
    double radius = std::max(0.0, std::min(b.size.width, b.size.height) / 2 - 16);
    double cx = b.midX();
    double cy = b.midY();
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    setColor(cr, UIColor::systemGrayColor());
    cairo_move_to(cr, cx - radius - 12, cy);
    cairo_line_to(cr, cx + radius + 12, cy);
    cairo_move_to(cr, cx, cy - radius - 12);
    cairo_line_to(cr, cx, cy + radius + 12);
    cairo_stroke(cr);

    setColor(cr, UIColor::labelColor());
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    cairo_stroke(cr);

    // Angles grow counter-clockwise, as in mathematics; Cairo's y axis points down.
    double alpha = chartData_->alpha.value_or(0) * std::numbers::pi / 180;
    double sweep = chartData_->angle.value_or(0) * std::numbers::pi / 180;
    setColor(cr, UIColor::systemBlueColor());
    if (sweep != 0) {
        cairo_set_line_width(cr, 3);
        cairo_new_sub_path(cr);
        if (sweep > 0) {
            cairo_arc_negative(cr, cx, cy, radius * 0.3, 0, -sweep);
        } else {
            cairo_arc(cr, cx, cy, radius * 0.3, 0, -sweep);
        }
        cairo_stroke(cr);
    }
    double px = cx + radius * std::cos(alpha);
    double py = cy - radius * std::sin(alpha);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, px, py);
    cairo_stroke(cr);
    cairo_arc(cr, px, py, 4, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_restore(cr);
}
