#include "platform/uikit/NSLayoutResolver.hpp"

#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIView.hpp"

namespace {

void collectConstraints(const UIView& view, std::vector<std::shared_ptr<NSLayoutConstraint>>& out)
{
    for (const auto& c : view.constraints()) {
        if (c->relation() == NSLayoutRelation::Equal) {
            out.push_back(c);
        }
    }
    for (const auto& subview : view.subviews()) {
        collectConstraints(*subview, out);
    }
}

// The rectangle of `item` in the coordinates of `space` (the constrained view's superview).
// An ancestor's rectangle is its content area starting at zero, so constraints to a scroll
// view describe its content, as they do on the platform.
CGRect rectIn(const UIView& item, const UIView* space)
{
    if (space && (space == &item || space->isDescendantOfView(&item))) {
        return item.convertRectToView({CGPointZero, item.frame().size}, space);
    }
    if (auto parent = item.superview()) {
        return parent->convertRectToView(item.frame(), space);
    }
    return item.frame();
}

std::optional<CGFloat> attributeValue(const CGRect& r, NSLayoutAttribute attribute)
{
    switch (attribute) {
    case NSLayoutAttribute::Left:
    case NSLayoutAttribute::Leading: return r.minX();
    case NSLayoutAttribute::Right:
    case NSLayoutAttribute::Trailing: return r.maxX();
    case NSLayoutAttribute::Top: return r.minY();
    case NSLayoutAttribute::Bottom: return r.maxY();
    case NSLayoutAttribute::Width: return r.width();
    case NSLayoutAttribute::Height: return r.height();
    case NSLayoutAttribute::CenterX: return r.midX();
    case NSLayoutAttribute::CenterY: return r.midY();
    case NSLayoutAttribute::NotAnAttribute: return std::nullopt;
    }
    return std::nullopt;
}

struct AxisTargets {
    std::optional<CGFloat> start, end, center, size;
};

// What one constraint asks of the item it moves.
struct Placement {
    std::shared_ptr<UIView> item;
    NSLayoutAttribute attribute;
    CGFloat value;
};

// The item a constraint moves: the first, unless the first is an ancestor of the second (a
// view does not move to fit what it contains: "root.trailing = table.trailing + 20" places the
// table), in which case the relation is solved for the second item.
std::optional<Placement> placementFor(const NSLayoutConstraint& c)
{
    auto first = c.firstItem();
    if (!first) {
        return std::nullopt;
    }
    auto second = c.secondItem();
    if (second && second != first && second->isDescendantOfView(first.get())) {
        if (c.multiplier() == 0) {
            return std::nullopt; // the second item's attribute plays no part
        }
        auto base = attributeValue(rectIn(*first, second->superview().get()), c.firstAttribute());
        if (!base) {
            return std::nullopt;
        }
        return Placement{second, c.secondAttribute(), (*base - c.constant()) / c.multiplier()};
    }
    auto space = first->superview();
    if (!second) {
        return Placement{first, c.firstAttribute(), c.constant()};
    }
    auto base = attributeValue(rectIn(*second, space.get()), c.secondAttribute());
    if (!base) {
        return std::nullopt;
    }
    return Placement{first, c.firstAttribute(), *base * c.multiplier() + c.constant()};
}

void setTarget(AxisTargets& h, AxisTargets& v, NSLayoutAttribute attribute, CGFloat value)
{
    switch (attribute) {
    case NSLayoutAttribute::Left:
    case NSLayoutAttribute::Leading: h.start = value; break;
    case NSLayoutAttribute::Right:
    case NSLayoutAttribute::Trailing: h.end = value; break;
    case NSLayoutAttribute::CenterX: h.center = value; break;
    case NSLayoutAttribute::Width: h.size = value; break;
    case NSLayoutAttribute::Top: v.start = value; break;
    case NSLayoutAttribute::Bottom: v.end = value; break;
    case NSLayoutAttribute::CenterY: v.center = value; break;
    case NSLayoutAttribute::Height: v.size = value; break;
    case NSLayoutAttribute::NotAnAttribute: break;
    }
}

// Places one axis from whichever targets are known; the current origin and length fill in.
void solveAxis(const AxisTargets& t, CGFloat& origin, CGFloat& length)
{
    if (t.start && t.end) {
        origin = *t.start;
        length = *t.end - *t.start;
    } else if (t.start) {
        origin = *t.start;
        if (t.size) length = *t.size;
    } else if (t.end) {
        if (t.size) length = *t.size;
        origin = *t.end - length;
    } else if (t.center) {
        if (t.size) length = *t.size;
        origin = *t.center - length / 2;
    } else if (t.size) {
        length = *t.size;
    }
    if (t.center && t.start && !t.end) {
        length = 2 * (*t.center - *t.start);
    }
    if (length < 0 || !std::isfinite(length)) {
        length = 0;
    }
}

} // namespace

void NSLayoutResolver::resolve(UIView& root)
{
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraints;
    collectConstraints(root, constraints);
    if (constraints.empty()) {
        return;
    }
    constexpr int rounds = 4;
    for (int round = 0; round < rounds; ++round) {
        bool changed = false;
        std::vector<UIView*> itemsInOrder;
        std::map<UIView*, std::pair<AxisTargets, AxisTargets>> targets;
        for (const auto& c : constraints) {
            auto placement = placementFor(*c);
            if (!placement || !std::isfinite(placement->value)) {
                continue;
            }
            UIView* item = placement->item.get();
            if (!targets.count(item)) {
                itemsInOrder.push_back(item);
            }
            auto& [h, v] = targets[item];
            setTarget(h, v, placement->attribute, placement->value);
        }
        for (UIView* item : itemsInOrder) {
            const auto& [h, v] = targets[item];
            CGRect f = item->frame();
            solveAxis(h, f.origin.x, f.size.width);
            solveAxis(v, f.origin.y, f.size.height);
            if (f != item->frame()) {
                item->setFrame(f);
                changed = true;
            }
        }
        if (!changed) {
            break;
        }
    }
}
