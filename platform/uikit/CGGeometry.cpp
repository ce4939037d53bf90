#include "platform/uikit/CGGeometry.hpp"

#include <algorithm>

bool CGRect::intersects(const CGRect& other) const
{
    return !intersection(other).isEmpty();
}

CGRect CGRect::intersection(const CGRect& other) const
{
    CGFloat x0 = std::max(minX(), other.minX());
    CGFloat y0 = std::max(minY(), other.minY());
    CGFloat x1 = std::min(maxX(), other.maxX());
    CGFloat y1 = std::min(maxY(), other.maxY());
    if (x1 <= x0 || y1 <= y0) {
        return CGRectZero;
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::insetBy(CGFloat dx, CGFloat dy) const
{
    CGRect r{minX() + dx, minY() + dy, width() - 2 * dx, height() - 2 * dy};
    if (r.size.width < 0 || r.size.height < 0) {
        return CGRectZero;
    }
    return r;
}
