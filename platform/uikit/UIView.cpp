#include "platform/uikit/UIView.hpp"

#include <algorithm>
#include <cmath>

#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/NSLayoutResolver.hpp"
#include "platform/uikit/RunningAnimations.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/ViewAnimations.hpp"

UIView::UIView() = default;

UIView::UIView(const CGRect& frame) : frame_(frame) {}

UIView::UIView(const NSCoder& /*coder*/) {}

UIView::~UIView()
{
    if (layer_ && layer_->delegate() == this) {
        layer_->setDelegate(nullptr);
    }
    // Subviews may outlive this view when someone else holds them; they must not point back.
    for (auto& subview : subviews_) {
        subview->superview_.reset();
    }
}

void UIView::setFrame(const CGRect& frame)
{
    if (frame != frame_) {
        if (auto* animations = animationsToRecord()) {
            animations->frame = {{presentationFrame(), *uikit::currentAnimationTiming()}};
        }
    }
    bool resized = frame.size != frame_.size;
    frame_ = frame;
    if (layer_) {
        layer_->setFrame(frame);
    }
    if (resized) {
        setNeedsLayout();
    }
}

void UIView::setBounds(const CGRect& bounds)
{
    boundsOrigin_ = bounds.origin;
    if (bounds.size != frame_.size) {
        // The platform keeps the centre fixed when the bounds change size.
        CGPoint c = center();
        setFrame({c.x - bounds.size.width / 2, c.y - bounds.size.height / 2, bounds.size.width, bounds.size.height});
    }
}

void UIView::setCenter(CGPoint c)
{
    setFrame({c.x - frame_.size.width / 2, c.y - frame_.size.height / 2, frame_.size.width, frame_.size.height});
}

std::shared_ptr<UIView> UIView::viewWithTag(int tag)
{
    if (tag_ == tag) {
        return as<UIView>();
    }
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

std::shared_ptr<UIView> UIView::viewWithAccessibilityIdentifier(const std::string& identifier)
{
    if (!identifier.empty() && accessibilityIdentifier_ == identifier) {
        return as<UIView>();
    }
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithAccessibilityIdentifier(identifier)) {
            return found;
        }
    }
    return nullptr;
}

void UIView::setHidden(bool hidden)
{
    hidden_ = hidden;
    if (layer_) {
        layer_->setHidden(hidden);
    }
}

void UIView::setAlpha(CGFloat alpha)
{
    CGFloat value = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0);
    if (value != alpha_) {
        if (auto* animations = animationsToRecord()) {
            animations->alpha = {{presentationAlpha(), *uikit::currentAnimationTiming()}};
        }
    }
    alpha_ = value;
    layer()->setOpacity(static_cast<float>(alpha_));
}

void UIView::setBackgroundColor(std::optional<UIColor> color)
{
    bool animatable = (color || backgroundColor_) && color != backgroundColor_ && !(color && color->isPattern()) &&
                      !(backgroundColor_ && backgroundColor_->isPattern());
    if (animatable) {
        if (auto* animations = animationsToRecord()) {
            // Appearing from or fading to no colour goes through the same colour made clear.
            CGColor to = color ? color->cgColor() : *presentationBackgroundColor();
            CGColor from = presentationBackgroundColor().value_or(CGColor{to.red, to.green, to.blue, 0});
            animations->backgroundColor = {{from, *uikit::currentAnimationTiming()}};
        }
    }
    backgroundColor_ = std::move(color);
    layer()->setBackgroundColor(backgroundColor_ ? std::optional<CGColor>(backgroundColor_->cgColor()) : std::nullopt);
}

UIColor UIView::tintColor() const
{
    for (const UIView* v = this; v; v = v->superview_.lock().get()) {
        if (v->tintColor_) {
            return *v->tintColor_;
        }
    }
    return UIColor::systemBlueColor();
}

void UIView::setTintColor(std::optional<UIColor> color)
{
    tintColor_ = std::move(color);
    tintColorDidChange();
}

std::shared_ptr<CALayer> UIView::layer() const
{
    if (!layer_) {
        layer_ = makeBackingLayer();
        layer_->setDelegate(const_cast<UIView*>(this));
        layer_->setFrame(frame_);
        layer_->setHidden(hidden_);
        layer_->setOpacity(static_cast<float>(alpha_));
    }
    return layer_;
}

void UIView::addSubview(const std::shared_ptr<UIView>& view)
{
    insertSubview(view, subviews_.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, size_t index)
{
    if (!view || view.get() == this || isDescendantOfView(view.get())) {
        // A view cannot contain itself or one of its ancestors.
        return;
    }
    auto self = as<UIView>();
    auto keep = view;
    if (keep->superview().get() == this) {
        auto it = std::find(subviews_.begin(), subviews_.end(), keep);
        size_t from = static_cast<size_t>(it - subviews_.begin());
        subviews_.erase(it);
        if (index > from) {
            --index;
        }
        index = std::min(index, subviews_.size());
        subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), keep);
        keep->layer()->takeNextStackingOrder();
        return;
    }
    bool wasInWindow = static_cast<bool>(keep->window());
    keep->willMoveToSuperview(self);
    keep->removeFromSuperview();
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), keep);
    keep->superview_ = self;
    keep->layer()->takeNextStackingOrder();
    keep->didMoveToSuperview();
    didAddSubview(keep);
    if (wasInWindow != static_cast<bool>(keep->window())) {
        keep->notifyMovedToWindow();
    }
    setNeedsLayout();
}

void UIView::bringSubviewToFront(const std::shared_ptr<UIView>& view)
{
    if (view && view->superview().get() == this) {
        insertSubview(view, subviews_.size());
    }
}

void UIView::removeFromSuperview()
{
    auto parent = superview_.lock();
    if (!parent) {
        return;
    }
    auto self = as<UIView>(); // keeps this view alive until the end of the call
    bool wasInWindow = static_cast<bool>(window());
    // A field that leaves the screen stops editing, as on the platform.
    if (auto responder = std::dynamic_pointer_cast<UIView>(UIResponder::currentFirstResponder());
        responder && responder->isDescendantOfView(this)) {
        responder->resignFirstResponder();
    }
    willMoveToSuperview(nullptr);
    parent->willRemoveSubview(self);
    auto& siblings = parent->subviews_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    superview_.reset();
    // Constraints that tie this view to views it has left no longer apply.
    for (auto ancestor = parent; ancestor; ancestor = ancestor->superview()) {
        auto& held = ancestor->constraints_;
        for (auto it = held.begin(); it != held.end();) {
            auto first = (*it)->firstItem();
            auto second = (*it)->secondItem();
            bool involvesSubtree = (first && (first == self || first->isDescendantOfView(this))) ||
                                   (second && (second == self || second->isDescendantOfView(this)));
            if (involvesSubtree) {
                (*it)->holder_.reset();
                it = held.erase(it);
            } else {
                ++it;
            }
        }
    }
    didMoveToSuperview();
    if (wasInWindow) {
        notifyMovedToWindow();
    }
    parent->setNeedsLayout();
}

bool UIView::isDescendantOfView(const UIView* view) const
{
    if (!view) {
        return false;
    }
    for (const UIView* v = this; v; v = v->superview_.lock().get()) {
        if (v == view) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<UIWindow> UIView::window() const
{
    std::shared_ptr<const UIView> v = as<UIView>();
    while (v) {
        if (auto w = std::dynamic_pointer_cast<const UIWindow>(v)) {
            return std::const_pointer_cast<UIWindow>(w);
        }
        v = v->superview();
    }
    return nullptr;
}

std::shared_ptr<UIResponder> UIView::nextResponder() const
{
    if (auto controller = owningViewController_.lock()) {
        return controller;
    }
    return superview();
}

void UIView::notifyMovedToWindow()
{
    didMoveToWindow();
    if (auto controller = owningViewController_.lock()) {
        controller->viewDidMoveToWindow();
    }
    // Copy: a callback may change the list.
    auto children = subviews_;
    for (const auto& subview : children) {
        subview->notifyMovedToWindow();
    }
}

std::shared_ptr<UIView> UIView::hitTest(CGPoint point)
{
    if (hidden_ || !userInteractionEnabled_ || alpha_ <= 0.01 || !pointInside(point)) {
        return nullptr;
    }
    auto children = subviews_;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const auto& child = *it;
        CGPoint inChild{point.x - child->frame_.origin.x + child->boundsOrigin_.x, point.y - child->frame_.origin.y + child->boundsOrigin_.y};
        if (auto hit = child->hitTest(inChild)) {
            return hit;
        }
    }
    return as<UIView>();
}

CGPoint UIView::originInRoot() const
{
    CGPoint p = frame_.origin;
    for (auto parent = superview_.lock(); parent; parent = parent->superview_.lock()) {
        p.x += parent->frame_.origin.x - parent->boundsOrigin_.x;
        p.y += parent->frame_.origin.y - parent->boundsOrigin_.y;
    }
    return p;
}

CGRect UIView::convertRectToView(const CGRect& rect, const UIView* view) const
{
    // Root coordinates are the shared frame of reference; views of different trees are treated
    // as if their roots coincided, as the platform does for views without a common window.
    CGPoint mine = originInRoot();
    CGRect inRoot{mine.x - boundsOrigin_.x + rect.origin.x, mine.y - boundsOrigin_.y + rect.origin.y, rect.size.width, rect.size.height};
    if (!view) {
        return inRoot;
    }
    CGPoint theirs = view->originInRoot();
    return {inRoot.origin.x - theirs.x + view->boundsOrigin_.x, inRoot.origin.y - theirs.y + view->boundsOrigin_.y, rect.size.width,
            rect.size.height};
}

CGRect UIView::convertRectFromView(const CGRect& rect, const UIView* view) const
{
    if (!view) {
        CGPoint mine = originInRoot();
        return {rect.origin.x - mine.x + boundsOrigin_.x, rect.origin.y - mine.y + boundsOrigin_.y, rect.size.width, rect.size.height};
    }
    return view->convertRectToView(rect, this);
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const
{
    return convertRectToView({point, CGSizeZero}, view).origin;
}

void UIView::addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint)
{
    if (!constraint) {
        return;
    }
    if (auto previous = constraint->holder()) {
        if (previous.get() == this) {
            return;
        }
        previous->removeConstraint(constraint);
    }
    constraints_.push_back(constraint);
    constraint->holder_ = as<UIView>();
    setNeedsLayout();
}

void UIView::addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints)
{
    for (const auto& c : constraints) {
        addConstraint(c);
    }
}

void UIView::removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint)
{
    auto it = std::find(constraints_.begin(), constraints_.end(), constraint);
    if (it == constraints_.end()) {
        return;
    }
    (*it)->holder_.reset();
    constraints_.erase(it);
    setNeedsLayout();
}

void UIView::setNeedsLayout()
{
    needsLayout_ = true;
}

void UIView::collectLayoutPass(std::vector<UIView*>& order)
{
    order.push_back(this);
    for (const auto& subview : subviews_) {
        subview->collectLayoutPass(order);
    }
}

void UIView::layoutIfNeeded()
{
    // As on the platform, the pass starts at the topmost ancestor that itself needs layout, so a
    // change above the receiver reaches it; otherwise only the receiver's own subtree is laid out.
    auto start = as<UIView>();
    for (auto parent = superview(); parent; parent = parent->superview()) {
        if (parent->needsLayout_) {
            start = parent;
        }
    }
    start->layoutSubtree();
}

void UIView::layoutSubtree()
{
    std::vector<UIView*> order;
    collectLayoutPass(order);
    bool anyMarked = std::any_of(order.begin(), order.end(), [](const UIView* v) { return v->needsLayout_; });
    if (!anyMarked) {
        return;
    }
    // Views may be removed by the callbacks below; hold them for the duration of the pass.
    std::vector<std::shared_ptr<UIView>> held;
    held.reserve(order.size());
    for (UIView* v : order) {
        held.push_back(v->as<UIView>());
    }
    NSLayoutResolver::resolve(*this);
    for (const auto& v : held) {
        if (!v->needsLayout_) {
            continue;
        }
        v->needsLayout_ = false;
        auto controller = v->owningViewController();
        if (controller) {
            controller->viewWillLayoutSubviews();
        }
        v->layoutSubviews();
        if (controller) {
            controller->viewDidLayoutSubviews();
        }
    }
}

void UIView::sizeToFit()
{
    CGSize size = sizeThatFits(CGSizeZero);
    setFrame({frame_.origin, size});
}

UIEdgeInsets UIView::safeAreaInsets() const
{
    auto w = window();
    if (!w || w.get() == this) {
        return w ? w->windowSafeAreaInsets() : UIEdgeInsetsZero;
    }
    UIEdgeInsets windowInsets = w->windowSafeAreaInsets();
    CGRect inWindow = convertRectToView(bounds(), w.get());
    CGRect wb = w->bounds();
    return {std::max(0.0, windowInsets.top - inWindow.minY()), std::max(0.0, windowInsets.left - inWindow.minX()),
            std::max(0.0, inWindow.maxY() - (wb.maxY() - windowInsets.bottom)), std::max(0.0, inWindow.maxX() - (wb.maxX() - windowInsets.right))};
}
