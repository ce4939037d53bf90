#include "platform/uikit/CGPath.hpp"

#include <algorithm>
#include <cmath>

CGPath CGPath::rect(const CGRect& r)
{
    CGPath path;
    path.moveTo({r.minX(), r.minY()});
    path.lineTo({r.maxX(), r.minY()});
    path.lineTo({r.maxX(), r.maxY()});
    path.lineTo({r.minX(), r.maxY()});
    path.close();
    return path;
}

CGPath CGPath::roundedRect(const CGRect& r, CGFloat cornerRadius)
{
    CGFloat radius = std::clamp(cornerRadius, 0.0, std::min(r.width(), r.height()) / 2);
    if (!(radius > 0)) {
        return rect(r);
    }
    CGPath path;
    path.moveTo({r.minX() + radius, r.minY()});
    path.lineTo({r.maxX() - radius, r.minY()});
    path.quadCurveTo({r.maxX(), r.minY()}, {r.maxX(), r.minY() + radius});
    path.lineTo({r.maxX(), r.maxY() - radius});
    path.quadCurveTo({r.maxX(), r.maxY()}, {r.maxX() - radius, r.maxY()});
    path.lineTo({r.minX() + radius, r.maxY()});
    path.quadCurveTo({r.minX(), r.maxY()}, {r.minX(), r.maxY() - radius});
    path.lineTo({r.minX(), r.minY() + radius});
    path.quadCurveTo({r.minX(), r.minY()}, {r.minX() + radius, r.minY()});
    path.close();
    return path;
}

void CGPath::moveTo(CGPoint p) { elements_.push_back({ElementType::MoveTo, {p}}); }
void CGPath::lineTo(CGPoint p) { elements_.push_back({ElementType::LineTo, {p}}); }
void CGPath::quadCurveTo(CGPoint control, CGPoint end) { elements_.push_back({ElementType::QuadCurveTo, {control, end}}); }
void CGPath::curveTo(CGPoint c1, CGPoint c2, CGPoint end) { elements_.push_back({ElementType::CurveTo, {c1, c2, end}}); }
void CGPath::close() { elements_.push_back({ElementType::Close, {}}); }
