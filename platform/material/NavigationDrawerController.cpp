#include "platform/material/NavigationDrawerController.hpp"

#include <algorithm>
#include <cmath>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/TouchTracker.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"

namespace Material {

namespace {
constexpr double slideDuration = 0.25;
constexpr CGFloat dimAlpha = 0.4;
// Points per second of horizontal motion at release that open or close whatever the position.
constexpr CGFloat flickSpeed = 500;

// Whether the view, or one of its superviews below the given one, answers a finger itself: a
// view that tracks touches or an enabled control, and when asked also a row or a scrolling view.
bool answersFinger(std::shared_ptr<UIView> view, const UIView* below, bool rowsAndScrolling)
{
    for (; view && view.get() != below; view = view->superview()) {
        if (view->tracksTouches()) {
            return true;
        }
        if (auto control = std::dynamic_pointer_cast<UIControl>(view); control && control->isEnabled()) {
            return true;
        }
        if (!rowsAndScrolling) {
            continue;
        }
        if (std::dynamic_pointer_cast<UITableViewCell>(view)) {
            return true;
        }
        if (auto scroll = std::dynamic_pointer_cast<UIScrollView>(view); scroll && scroll->isScrollEnabled()) {
            return true;
        }
    }
    return false;
}

// Selects the table row the view is part of, if any.
void tapRowAt(std::shared_ptr<UIView> view)
{
    for (; view; view = view->superview()) {
        auto cell = std::dynamic_pointer_cast<UITableViewCell>(view);
        auto table = cell ? std::dynamic_pointer_cast<UITableView>(cell->superview()) : nullptr;
        if (auto indexPath = table ? table->indexPathForCell(cell) : std::nullopt) {
            table->userDidTapRow(*indexPath);
            return;
        }
    }
}

} // namespace

// The touch tracker hands a finger to the first view from the one under it up that tracks
// touches, and decides that when the finger comes down. So the surface answers the hit test with
// itself exactly for the touches that belong to the drawer, and tracks touches only then:
// everything else passes through to the views inside as if it were not there.
class NavigationDrawerController::DragSurface : public ContainerView {
public:
    DragSurface(CGRect frame, const std::shared_ptr<NavigationDrawerController>& owner) : ContainerView(frame), owner_(owner) {}

    std::shared_ptr<UIView> hitTest(CGPoint point) override
    {
        auto hit = ContainerView::hitTest(point);
        auto owner = owner_.lock();
        taking_ = hit && owner && owner->takesTouch(point, hit);
        if (taking_) {
            beneath_ = hit;
            return as<UIView>();
        }
        return hit;
    }
    bool tracksTouches() const override { return taking_; }
    bool takeSidewaysDrag(const std::shared_ptr<UIView>& hit) override
    {
        auto owner = owner_.lock();
        taking_ = hit && owner && owner->takesSidewaysDrag(hit);
        if (taking_) {
            beneath_ = hit;
        }
        return taking_;
    }

    void touchesBegan(const UITouchSet& touches) override
    {
        if (auto [owner, touch] = ownTouch(touches); owner) {
            owner->dragBegan(touch->locationInView(this), beneath_.lock());
        } else {
            ContainerView::touchesBegan(touches);
        }
        beneath_.reset();
    }
    void touchesMoved(const UITouchSet& touches) override
    {
        if (auto [owner, touch] = ownTouch(touches); owner) {
            owner->dragMoved(touch->locationInView(this));
        } else {
            ContainerView::touchesMoved(touches);
        }
    }
    void touchesEnded(const UITouchSet& touches) override
    {
        if (auto [owner, touch] = ownTouch(touches); owner) {
            taking_ = false;
            owner->dragEnded(touch->locationInView(this));
        } else {
            ContainerView::touchesEnded(touches);
        }
    }
    void touchesCancelled(const UITouchSet& touches) override
    {
        if (auto [owner, touch] = ownTouch(touches); owner) {
            taking_ = false;
            owner->dragCancelled();
        } else {
            ContainerView::touchesCancelled(touches);
        }
    }

private:
    std::weak_ptr<NavigationDrawerController> owner_;
    std::weak_ptr<UIView> beneath_;
    bool taking_ = false;

    // The drawer's controller and the touch, when the touch came down on this view itself rather
    // than being passed up from a view inside that left it unhandled.
    std::pair<std::shared_ptr<NavigationDrawerController>, std::shared_ptr<UITouch>> ownTouch(const UITouchSet& touches)
    {
        auto owner = owner_.lock();
        if (!owner || touches.empty() || (*touches.begin())->view().get() != this) {
            return {};
        }
        return {owner, *touches.begin()};
    }
};

NavigationDrawerController::NavigationDrawerController(std::shared_ptr<UIViewController> rootViewController,
                                                       std::shared_ptr<UIViewController> leftViewController,
                                                       std::shared_ptr<UIViewController> rightViewController)
    : RootController(std::move(rootViewController)), leftViewController_(std::move(leftViewController)),
      rightViewController_(std::move(rightViewController))
{
    leftView_->setHidden(true);
    rightView_->setHidden(true);
}

NavigationDrawerController::NavigationDrawerController(const NSCoder& coder) : RootController(coder)
{
    leftView_->setHidden(true);
    rightView_->setHidden(true);
}

void NavigationDrawerController::installSide(const std::shared_ptr<UIViewController>& controller, const std::shared_ptr<UIView>& holder)
{
    view()->addSubview(holder);
    if (!controller) {
        return;
    }
    addChildViewController(controller);
    holder->addSubview(controller->view());
    controller->didMoveToParentViewController(std::static_pointer_cast<UIViewController>(shared_from_this()));
}

void NavigationDrawerController::loadView()
{
    auto surface = std::make_shared<DragSurface>(UIScreen::mainScreen().bounds(), as<NavigationDrawerController>());
    surface->setLayoutHandler(weakly(this, [](const std::shared_ptr<NavigationDrawerController>& self) { self->layoutContainer(); }));
    setView(surface);
}

void NavigationDrawerController::viewDidLoad()
{
    dimView_->setBackgroundColor(UIColor::blackColor());
    dimView_->setAlpha(0);
    view()->addSubview(dimView_);
    installSide(leftViewController_, leftView_);
    installSide(rightViewController_, rightView_);
    RootController::viewDidLoad();
}

bool NavigationDrawerController::shouldForwardAppearanceToChild(const UIViewController& child) const
{
    if (&child == leftViewController_.get()) {
        return leftOpened_;
    }
    if (&child == rightViewController_.get()) {
        return rightOpened_;
    }
    return RootController::shouldForwardAppearanceToChild(child);
}

void NavigationDrawerController::layoutContainer()
{
    RootController::layoutContainer();
    auto v = viewIfLoaded();
    if (!v) {
        return;
    }
    CGRect b = v->bounds();
    CGFloat leftWidth = std::min(leftViewWidth_, b.size.width);
    CGFloat rightWidth = std::min(rightViewWidth_, b.size.width);
    CGFloat leftX = heldLeftX_ ? *heldLeftX_ : leftOpened_ ? 0 : -leftWidth;
    leftView_->setFrame({leftX, 0, leftWidth, b.size.height});
    dimView_->setFrame(b);
    CGFloat shown = rightOpened_ ? 1 : leftWidth > 0 ? (leftX + leftWidth) / leftWidth : 0;
    dimView_->setAlpha(dimAlpha * std::clamp<CGFloat>(shown, 0, 1));
    rightView_->setFrame({rightOpened_ ? b.size.width - rightWidth : b.size.width, 0, rightWidth, b.size.height});
    for (auto [controller, holder] : {std::pair{leftViewController_, leftView_}, std::pair{rightViewController_, rightView_}}) {
        if (controller) {
            if (auto sideView = controller->viewIfLoaded()) {
                sideView->setFrame(holder->bounds());
            }
        }
    }
}

void NavigationDrawerController::setSideOpened(NavigationDrawerPosition position, bool open)
{
    bool left = position == NavigationDrawerPosition::left;
    auto controller = left ? leftViewController_ : rightViewController_;
    bool& opened = left ? leftOpened_ : rightOpened_;
    if (!controller || opened == open || (left && open && !leftEnabled_)) {
        return;
    }
    auto keep = shared_from_this();
    auto d = delegate();
    bool containerOnScreen = isOnScreen();
    auto holder = left ? leftView_ : rightView_;
    if (open) {
        if (d) {
            d->navigationDrawerControllerWillOpen(*this, position);
        }
        view();
        if (containerOnScreen) {
            controller->beginAppearanceTransition(true, false);
        }
        opened = true;
        holder->setHidden(false);
        slide(containerOnScreen, nullptr);
        if (containerOnScreen) {
            controller->endAppearanceTransition();
        }
        if (d) {
            d->navigationDrawerControllerDidOpen(*this, position);
        }
    } else {
        if (d) {
            d->navigationDrawerControllerWillClose(*this, position);
        }
        controller->beginAppearanceTransition(false, false);
        opened = false;
        slide(containerOnScreen, hideOnceSlidOut(position));
        controller->endAppearanceTransition();
        if (d) {
            d->navigationDrawerControllerDidClose(*this, position);
        }
    }
}

bool NavigationDrawerController::isOnScreen() const
{
    return appearanceState() == UIAppearanceState::Appeared || appearanceState() == UIAppearanceState::Appearing;
}

std::function<void(bool)> NavigationDrawerController::hideOnceSlidOut(NavigationDrawerPosition position)
{
    // Unless it was opened or taken by a finger again meanwhile.
    bool left = position == NavigationDrawerPosition::left;
    return weakly(this, [left](const std::shared_ptr<NavigationDrawerController>& self, bool) {
        if (!(left ? self->leftOpened_ || self->heldLeftX_ : self->rightOpened_)) {
            (left ? self->leftView_ : self->rightView_)->setHidden(true);
        }
    });
}

void NavigationDrawerController::settleLeft()
{
    slide(isOnScreen(), hideOnceSlidOut(NavigationDrawerPosition::left));
}

bool NavigationDrawerController::takesTouch(CGPoint point, const std::shared_ptr<UIView>& hit) const
{
    // A finger cannot take hold of the drawer while it slides: what is drawn would not follow it.
    if (!leftViewController_ || rightOpened_ || !isOnScreen() || leftView_->hasRunningAnimations()) {
        return false;
    }
    if (!leftOpened_) {
        // Rows and scrolling lose only what starts in the edge strip; a tap there still selects the row.
        return leftEnabled_ && point.x < edgeWidth && !answersFinger(hit, viewIfLoaded().get(), false);
    }
    if (hit == dimView_) {
        return true;
    }
    return hit->isDescendantOfView(leftView_.get()) && !answersFinger(hit, leftView_.get(), true);
}

bool NavigationDrawerController::takesSidewaysDrag(const std::shared_ptr<UIView>& hit) const
{
    // What takesTouch leaves to the open drawer's rows and its scrolling list, once the finger
    // shows it is not scrolling; controls and views that follow a finger keep theirs.
    return leftViewController_ && leftOpened_ && !rightOpened_ && isOnScreen() && !leftView_->hasRunningAnimations() &&
           hit->isDescendantOfView(leftView_.get()) && !answersFinger(hit, leftView_.get(), false);
}

void NavigationDrawerController::dragBegan(CGPoint point, const std::shared_ptr<UIView>& hit)
{
    CGFloat width = leftView_->frame().size.width;
    drag_ = Drag{};
    drag_->start = point;
    drag_->startX = leftOpened_ ? 0 : -width;
    drag_->onDimmedArea = hit == dimView_;
    if (!leftOpened_) {
        drag_->beneath = hit;
    }
    drag_->lastX = point.x;
    drag_->lastTime = DispatchClock::now();
}

void NavigationDrawerController::dragMoved(CGPoint point)
{
    if (!drag_) {
        return;
    }
    CGFloat dx = point.x - drag_->start.x;
    CGFloat dy = point.y - drag_->start.y;
    if (!drag_->decided) {
        if (std::hypot(dx, dy) <= uikit::TouchTracker::tapSlop) {
            return;
        }
        drag_->decided = true;
        drag_->horizontal = std::abs(dx) > std::abs(dy);
        if (!drag_->horizontal) {
            return;
        }
        leftView_->setHidden(false);
        if (auto d = delegate()) {
            d->navigationDrawerControllerDidBeginPanAt(*this, point, NavigationDrawerPosition::left);
        }
    }
    if (!drag_->horizontal) {
        return;
    }
    double now = DispatchClock::now();
    if (now > drag_->lastTime) {
        drag_->velocity = (point.x - drag_->lastX) / static_cast<CGFloat>(now - drag_->lastTime);
        drag_->lastX = point.x;
        drag_->lastTime = now;
    }
    heldLeftX_ = std::clamp<CGFloat>(drag_->startX + dx, -leftView_->frame().size.width, 0);
    layoutContainer();
    if (auto d = delegate()) {
        d->navigationDrawerControllerDidChangePanAt(*this, point, NavigationDrawerPosition::left);
    }
}

void NavigationDrawerController::dragEnded(CGPoint point)
{
    if (!drag_) {
        return;
    }
    dragMoved(point);
    auto keep = shared_from_this();
    Drag drag = *std::exchange(drag_, std::nullopt);
    if (!drag.decided) {
        if (drag.onDimmedArea) {
            closeLeftView();
        } else {
            // The drawer took the touch only in case it became a drag; as a tap it is the row's.
            tapRowAt(drag.beneath.lock());
        }
        return;
    }
    if (!drag.horizontal) {
        return;
    }
    CGFloat width = leftView_->frame().size.width;
    CGFloat x = heldLeftX_.value_or(drag.startX);
    heldLeftX_.reset();
    if (auto d = delegate()) {
        d->navigationDrawerControllerDidEndPanAt(*this, point, NavigationDrawerPosition::left);
    }
    bool open = drag.velocity > flickSpeed || (drag.velocity >= -flickSpeed && x > -width / 2);
    bool wasOpen = leftOpened_;
    if (open != wasOpen) {
        open ? openLeftView(drag.velocity) : closeLeftView(drag.velocity);
    }
    if (leftOpened_ == wasOpen) {
        settleLeft();
    }
}

void NavigationDrawerController::dragCancelled()
{
    bool held = heldLeftX_.has_value();
    drag_.reset();
    heldLeftX_.reset();
    if (held) {
        settleLeft();
    }
}

void NavigationDrawerController::slide(bool animated, std::function<void(bool)> completion)
{
    if (!animated) {
        layoutContainer();
        if (completion) {
            completion(true);
        }
        return;
    }
    UIView::animateWithDuration(
        slideDuration, 0, UIViewAnimationOptionCurveEaseOut, [this] { layoutContainer(); }, std::move(completion));
}

void NavigationDrawerController::openLeftView(CGFloat /*velocity*/)
{
    setSideOpened(NavigationDrawerPosition::left, true);
}

void NavigationDrawerController::closeLeftView(CGFloat /*velocity*/)
{
    setSideOpened(NavigationDrawerPosition::left, false);
}

void NavigationDrawerController::openRightView(CGFloat /*velocity*/)
{
    setSideOpened(NavigationDrawerPosition::right, true);
}

void NavigationDrawerController::closeRightView(CGFloat /*velocity*/)
{
    setSideOpened(NavigationDrawerPosition::right, false);
}

void NavigationDrawerController::toggleLeftView(CGFloat velocity)
{
    if (leftOpened_) {
        closeLeftView(velocity);
    } else {
        openLeftView(velocity);
    }
}

} // namespace Material
