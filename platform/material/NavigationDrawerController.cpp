#include "platform/material/NavigationDrawerController.hpp"

#include <algorithm>

#include "platform/foundation/WeakSelf.hpp"

namespace Material {

namespace {
constexpr double slideDuration = 0.25;
}

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

void NavigationDrawerController::viewDidLoad()
{
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
    leftView_->setFrame({leftOpened_ ? 0 : -leftWidth, 0, leftWidth, b.size.height});
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
    bool containerOnScreen = appearanceState() == UIAppearanceState::Appeared || appearanceState() == UIAppearanceState::Appearing;
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
        // A closed drawer is hidden once it has slid out, unless it was opened again meanwhile.
        slide(containerOnScreen, weakly(this, [left](const std::shared_ptr<NavigationDrawerController>& self, bool) {
                  if (!(left ? self->leftOpened_ : self->rightOpened_)) {
                      (left ? self->leftView_ : self->rightView_)->setHidden(true);
                  }
              }));
        controller->endAppearanceTransition();
        if (d) {
            d->navigationDrawerControllerDidClose(*this, position);
        }
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
