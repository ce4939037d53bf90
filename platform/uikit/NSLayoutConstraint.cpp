#include "platform/uikit/NSLayoutConstraint.hpp"

#include <cmath>
#include <iostream>

#include "platform/uikit/UIView.hpp"

namespace {

std::shared_ptr<UIView> closestCommonAncestor(const std::shared_ptr<UIView>& a, const std::shared_ptr<UIView>& b)
{
    if (!b) {
        return a;
    }
    for (auto candidate = a; candidate; candidate = candidate->superview()) {
        if (b.get() == candidate.get() || b->isDescendantOfView(candidate.get())) {
            return candidate;
        }
    }
    return nullptr;
}

} // namespace

std::shared_ptr<NSLayoutConstraint> NSLayoutAnchor::makeConstraint(const NSLayoutAnchor& other, NSLayoutRelation relation, CGFloat constant) const
{
    return std::make_shared<NSLayoutConstraint>(item(), attribute(), relation, other.item(), other.attribute(), 1.0, constant);
}

std::shared_ptr<NSLayoutConstraint> NSLayoutDimension::constraintEqualToConstant(CGFloat constant) const
{
    return std::make_shared<NSLayoutConstraint>(item(), attribute(), NSLayoutRelation::Equal, nullptr, NSLayoutAttribute::NotAnAttribute, 1.0,
                                                constant);
}

NSLayoutConstraint::NSLayoutConstraint(const std::shared_ptr<UIView>& firstItem, NSLayoutAttribute firstAttribute, NSLayoutRelation relation,
                                       const std::shared_ptr<UIView>& secondItem, NSLayoutAttribute secondAttribute, CGFloat multiplier,
                                       CGFloat constant)
    : firstItem_(firstItem), firstAttribute_(firstAttribute), relation_(relation), secondItem_(secondItem), secondAttribute_(secondAttribute),
      multiplier_(std::isfinite(multiplier) ? multiplier : 1.0), constant_(std::isfinite(constant) ? constant : 0.0)
{
}

std::shared_ptr<NSLayoutConstraint> NSLayoutConstraint::constraintWithItem(const std::shared_ptr<UIView>& view1, NSLayoutAttribute attr1,
                                                                           NSLayoutRelation relation, const std::shared_ptr<UIView>& view2,
                                                                           NSLayoutAttribute attr2, CGFloat multiplier, CGFloat constant)
{
    return std::make_shared<NSLayoutConstraint>(view1, attr1, relation, view2, attr2, multiplier, constant);
}

void NSLayoutConstraint::setConstant(CGFloat constant)
{
    if (!std::isfinite(constant)) {
        std::cerr << "NSLayoutConstraint: ignoring a non-finite constant\n";
        return;
    }
    constant_ = constant;
    if (auto view = holder()) {
        view->setNeedsLayout();
    }
}

void NSLayoutConstraint::setActive(bool active)
{
    if (active == isActive()) {
        return;
    }
    if (!active) {
        if (auto view = holder()) {
            view->removeConstraint(shared_from_this());
        }
        return;
    }
    auto first = firstItem();
    auto ancestor = first ? closestCommonAncestor(first, secondItem()) : nullptr;
    if (!ancestor) {
        std::cerr << "NSLayoutConstraint: cannot activate a constraint whose items share no common ancestor\n";
        return;
    }
    ancestor->addConstraint(shared_from_this());
}

void NSLayoutConstraint::activateConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints)
{
    for (const auto& c : constraints) {
        if (c) {
            c->setActive(true);
        }
    }
}

void NSLayoutConstraint::deactivateConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints)
{
    for (const auto& c : constraints) {
        if (c) {
            c->setActive(false);
        }
    }
}
