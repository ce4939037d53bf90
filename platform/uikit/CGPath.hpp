#pragma once

#include <vector>

#include "platform/uikit/CGGeometry.hpp"

// An outline made of straight and curved segments, in the coordinates of the layer that uses it.
class CGPath {
public:
    enum class ElementType { MoveTo, LineTo, QuadCurveTo, CurveTo, Close };
    struct Element {
        ElementType type;
        std::vector<CGPoint> points;
        friend bool operator==(const Element&, const Element&) = default;
    };

    static CGPath rect(const CGRect& r);
    static CGPath roundedRect(const CGRect& r, CGFloat cornerRadius);

    void moveTo(CGPoint p);
    void lineTo(CGPoint p);
    void quadCurveTo(CGPoint control, CGPoint end);
    void curveTo(CGPoint control1, CGPoint control2, CGPoint end);
    void close();

    const std::vector<Element>& elements() const { return elements_; }
    bool isEmpty() const { return elements_.empty(); }

    friend bool operator==(const CGPath&, const CGPath&) = default;

private:
    std::vector<Element> elements_;
};
