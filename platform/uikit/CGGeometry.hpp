#pragma once

#include <cmath>
#include <limits>

using CGFloat = double;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;
    friend bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGVector {
    CGFloat dx = 0;
    CGFloat dy = 0;
    friend bool operator==(const CGVector&, const CGVector&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;

    CGRect() = default;
    CGRect(CGPoint o, CGSize s) : origin(o), size(s) {}
    CGRect(CGFloat x, CGFloat y, CGFloat width, CGFloat height) : origin{x, y}, size{width, height} {}

    // Edges are taken from the standardised rectangle, so negative sizes behave like the platform's.
    CGFloat minX() const { return std::fmin(origin.x, origin.x + size.width); }
    CGFloat maxX() const { return std::fmax(origin.x, origin.x + size.width); }
    CGFloat minY() const { return std::fmin(origin.y, origin.y + size.height); }
    CGFloat maxY() const { return std::fmax(origin.y, origin.y + size.height); }
    CGFloat midX() const { return origin.x + size.width / 2; }
    CGFloat midY() const { return origin.y + size.height / 2; }
    CGFloat width() const { return std::fabs(size.width); }
    CGFloat height() const { return std::fabs(size.height); }
    bool isEmpty() const { return size.width == 0 || size.height == 0; }

    bool containsPoint(CGPoint p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
    bool intersects(const CGRect& other) const;
    CGRect intersection(const CGRect& other) const;
    CGRect offsetBy(CGFloat dx, CGFloat dy) const { return {origin.x + dx, origin.y + dy, size.width, size.height}; }
    CGRect insetBy(CGFloat dx, CGFloat dy) const;

    friend bool operator==(const CGRect&, const CGRect&) = default;
};

inline const CGRect CGRectZero{};
inline const CGPoint CGPointZero{};
inline const CGSize CGSizeZero{};

inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return {x, y, w, h}; }
inline CGPoint CGPointMake(CGFloat x, CGFloat y) { return {x, y}; }
inline CGSize CGSizeMake(CGFloat w, CGFloat h) { return {w, h}; }

struct UIEdgeInsets {
    CGFloat top = 0;
    CGFloat left = 0;
    CGFloat bottom = 0;
    CGFloat right = 0;
    friend bool operator==(const UIEdgeInsets&, const UIEdgeInsets&) = default;
};

inline const UIEdgeInsets UIEdgeInsetsZero{};

inline CGRect UIEdgeInsetsInsetRect(const CGRect& r, const UIEdgeInsets& i)
{
    return {r.origin.x + i.left, r.origin.y + i.top, r.size.width - i.left - i.right, r.size.height - i.top - i.bottom};
}
