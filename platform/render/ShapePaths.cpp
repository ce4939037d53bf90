#include "platform/render/ShapePaths.hpp"

#include <algorithm>
#include <numbers>

namespace render {

void addRoundedRect(cairo_t* cr, const CGRect& rect, double radius)
{
    double x = rect.minX();
    double y = rect.minY();
    double w = rect.width();
    double h = rect.height();
    double r = std::clamp(radius, 0.0, std::min(w, h) / 2);
    if (r <= 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    constexpr double quarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -quarter, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, quarter);
    cairo_arc(cr, x + r, y + h - r, r, quarter, 2 * quarter);
    cairo_arc(cr, x + r, y + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void addPath(cairo_t* cr, const CGPath& path)
{
    for (const auto& element : path.elements()) {
        const auto& p = element.points;
        switch (element.type) {
        case CGPath::ElementType::MoveTo:
            if (!p.empty()) {
                cairo_move_to(cr, p[0].x, p[0].y);
            }
            break;
        case CGPath::ElementType::LineTo:
            if (!p.empty()) {
                cairo_line_to(cr, p[0].x, p[0].y);
            }
            break;
        case CGPath::ElementType::QuadCurveTo:
            if (p.size() >= 2) {
                // A quadratic curve as the cubic with the same shape.
                double x0 = 0;
                double y0 = 0;
                if (cairo_has_current_point(cr)) {
                    cairo_get_current_point(cr, &x0, &y0);
                } else {
                    x0 = p[0].x;
                    y0 = p[0].y;
                }
                cairo_curve_to(cr, x0 + 2.0 / 3 * (p[0].x - x0), y0 + 2.0 / 3 * (p[0].y - y0), p[1].x + 2.0 / 3 * (p[0].x - p[1].x),
                               p[1].y + 2.0 / 3 * (p[0].y - p[1].y), p[1].x, p[1].y);
            }
            break;
        case CGPath::ElementType::CurveTo:
            if (p.size() >= 3) {
                cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
            }
            break;
        case CGPath::ElementType::Close: cairo_close_path(cr); break;
        }
    }
}

void addStar(cairo_t* cr, CGPoint centre, double outerRadius)
{
    double inner = outerRadius * 0.382;
    cairo_new_sub_path(cr);
    for (int i = 0; i < 10; ++i) {
        double radius = i % 2 == 0 ? outerRadius : inner;
        double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        cairo_line_to(cr, centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle));
    }
    cairo_close_path(cr);
}

} // namespace render
