#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/uikit/NSLayoutAnchor.hpp"

class UIView;

// A linear relation between two view attributes: first = second × multiplier + constant.
// Only equalities take part in layout (see NSLayoutResolver); other relations are kept for
// reading. Items are referenced, not owned.
class NSLayoutConstraint : public std::enable_shared_from_this<NSLayoutConstraint> {
public:
    NSLayoutConstraint(const std::shared_ptr<UIView>& firstItem, NSLayoutAttribute firstAttribute, NSLayoutRelation relation,
                       const std::shared_ptr<UIView>& secondItem, NSLayoutAttribute secondAttribute, CGFloat multiplier, CGFloat constant);

    static std::shared_ptr<NSLayoutConstraint> constraintWithItem(const std::shared_ptr<UIView>& view1, NSLayoutAttribute attr1,
                                                                  NSLayoutRelation relation, const std::shared_ptr<UIView>& view2,
                                                                  NSLayoutAttribute attr2, CGFloat multiplier, CGFloat constant);

    // Activation adds each constraint to the closest common ancestor of its items.
    static void activateConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    static void deactivateConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);

    std::shared_ptr<UIView> firstItem() const { return firstItem_.lock(); }
    NSLayoutAttribute firstAttribute() const { return firstAttribute_; }
    NSLayoutRelation relation() const { return relation_; }
    std::shared_ptr<UIView> secondItem() const { return secondItem_.lock(); }
    NSLayoutAttribute secondAttribute() const { return secondAttribute_; }
    CGFloat multiplier() const { return multiplier_; }

    CGFloat constant() const { return constant_; }
    // Changing the constant marks the holding view for layout, so the next pass moves the item.
    void setConstant(CGFloat constant);

    bool isActive() const { return !holder_.expired(); }
    void setActive(bool active);

    float priority() const { return priority_; }
    void setPriority(float priority) { priority_ = priority; }
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

    // The view holding the constraint.
    std::shared_ptr<UIView> holder() const { return holder_.lock(); }

private:
    friend class UIView;
    std::weak_ptr<UIView> firstItem_;
    NSLayoutAttribute firstAttribute_;
    NSLayoutRelation relation_;
    std::weak_ptr<UIView> secondItem_;
    NSLayoutAttribute secondAttribute_;
    CGFloat multiplier_;
    CGFloat constant_;
    float priority_ = 1000;
    std::string identifier_;
    std::weak_ptr<UIView> holder_;
};
