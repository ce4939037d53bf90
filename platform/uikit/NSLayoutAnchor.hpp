#pragma once

#include <memory>

#include "platform/uikit/CGGeometry.hpp"

class UIView;
class NSLayoutConstraint;

enum class NSLayoutAttribute : int {
    NotAnAttribute = 0, Left = 1, Right = 2, Top = 3, Bottom = 4, Leading = 5, Trailing = 6,
    Width = 7, Height = 8, CenterX = 9, CenterY = 10,
};

enum class NSLayoutRelation : int { LessThanOrEqual = -1, Equal = 0, GreaterThanOrEqual = 1 };

// One edge, centre or dimension of a view, for making constraints.
class NSLayoutAnchor {
public:
    NSLayoutAnchor(std::weak_ptr<UIView> item, NSLayoutAttribute attribute) : item_(std::move(item)), attribute_(attribute) {}

    std::shared_ptr<UIView> item() const { return item_.lock(); }
    NSLayoutAttribute attribute() const { return attribute_; }

protected:
    std::shared_ptr<NSLayoutConstraint> makeConstraint(const NSLayoutAnchor& other, NSLayoutRelation relation, CGFloat constant) const;

private:
    std::weak_ptr<UIView> item_;
    NSLayoutAttribute attribute_;
};

class NSLayoutXAxisAnchor : public NSLayoutAnchor {
public:
    using NSLayoutAnchor::NSLayoutAnchor;
    std::shared_ptr<NSLayoutConstraint> constraintEqualToAnchor(const NSLayoutXAxisAnchor& other, CGFloat constant = 0) const
    {
        return makeConstraint(other, NSLayoutRelation::Equal, constant);
    }
};

class NSLayoutYAxisAnchor : public NSLayoutAnchor {
public:
    using NSLayoutAnchor::NSLayoutAnchor;
    std::shared_ptr<NSLayoutConstraint> constraintEqualToAnchor(const NSLayoutYAxisAnchor& other, CGFloat constant = 0) const
    {
        return makeConstraint(other, NSLayoutRelation::Equal, constant);
    }
};

class NSLayoutDimension : public NSLayoutAnchor {
public:
    using NSLayoutAnchor::NSLayoutAnchor;
    std::shared_ptr<NSLayoutConstraint> constraintEqualToAnchor(const NSLayoutDimension& other, CGFloat constant = 0) const
    {
        return makeConstraint(other, NSLayoutRelation::Equal, constant);
    }
    std::shared_ptr<NSLayoutConstraint> constraintEqualToConstant(CGFloat constant) const;
};
