#include "platform/material/RootController.hpp"

#include "platform/foundation/WeakSelf.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"

namespace Material {

RootController::RootController(std::shared_ptr<UIViewController> rootViewController) : rootViewController_(std::move(rootViewController)) {}

RootController::RootController(const NSCoder& coder) : UIViewController(coder) {}

void RootController::loadView()
{
    auto container = std::make_shared<ContainerView>(UIScreen::mainScreen().bounds());
    container->setLayoutHandler(weakly(this, [](const std::shared_ptr<RootController>& self) { self->layoutContainer(); }));
    setView(container);
}

void RootController::viewDidLoad()
{
    if (rootViewController_) {
        addChildViewController(rootViewController_);
        view()->insertSubview(rootViewController_->view(), 0);
        rootViewController_->didMoveToParentViewController(std::static_pointer_cast<UIViewController>(shared_from_this()));
    }
    prepare();
    layoutContainer();
}

CGRect RootController::contentArea() const
{
    auto v = viewIfLoaded();
    return v ? v->bounds() : CGRectZero;
}

CGRect RootController::rootFrame() const
{
    return contentArea();
}

void RootController::layoutContainer()
{
    if (rootViewController_) {
        if (auto rootView = rootViewController_->viewIfLoaded()) {
            rootView->setFrame(rootFrame());
        }
    }
}

void RootController::transition(const std::shared_ptr<UIViewController>& controller, std::function<void(bool)> completion)
{
    if (!controller || controller == rootViewController_) {
        if (completion) {
            completion(controller != nullptr);
        }
        return;
    }
    auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
    auto old = rootViewController_;
    bool onScreen = appearanceState() == UIAppearanceState::Appeared || appearanceState() == UIAppearanceState::Appearing;
    if (!isViewLoaded()) {
        if (old) {
            old->removeFromParentViewController();
        }
        rootViewController_ = controller;
        if (completion) {
            completion(true);
        }
        return;
    }
    if (old) {
        old->willMoveToParentViewController(nullptr);
    }
    addChildViewController(controller);
    auto newView = controller->view();
    newView->setFrame(rootFrame());
    if (onScreen) {
        if (old) {
            old->beginAppearanceTransition(false, false);
        }
        controller->beginAppearanceTransition(true, false);
    }
    if (old) {
        if (auto oldView = old->viewIfLoaded()) {
            oldView->removeFromSuperview();
        }
    }
    view()->insertSubview(newView, 0);
    rootViewController_ = controller;
    if (old) {
        old->removeFromParentViewController();
    }
    controller->didMoveToParentViewController(self);
    view()->setNeedsLayout();
    view()->layoutIfNeeded();
    if (onScreen) {
        if (old) {
            old->endAppearanceTransition();
        }
        controller->endAppearanceTransition();
    }
    if (completion) {
        completion(true);
    }
}

} // namespace Material
