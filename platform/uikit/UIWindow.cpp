#include "platform/uikit/UIWindow.hpp"

#include <algorithm>

#include "platform/foundation/DispatchQueue.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace {
std::weak_ptr<UIWindow>& keyWindowSlot()
{
    static std::weak_ptr<UIWindow> slot;
    return slot;
}
} // namespace

std::vector<std::shared_ptr<UIWindow>> UIWindowScene::windows() const
{
    std::vector<std::shared_ptr<UIWindow>> out;
    for (UIWindow* w : windows_) {
        // A window still under construction or already being destroyed is not listed.
        if (auto shared = std::dynamic_pointer_cast<UIWindow>(w->weak_from_this().lock())) {
            out.push_back(shared);
        }
    }
    return out;
}

void UIWindowScene::attach(UIWindow* window)
{
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
        windows_.push_back(window);
    }
}

void UIWindowScene::detach(UIWindow* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

UIWindow::UIWindow() : UIWindow(UIScreen::mainScreen().bounds()) {}

UIWindow::UIWindow(const CGRect& frame) : UIView(frame)
{
    attachToScene();
}

UIWindow::~UIWindow()
{
    if (auto scene = scene_.lock()) {
        scene->detach(this);
    }
}

void UIWindow::attachToScene()
{
    auto scene = UIApplication::sharedApplication().firstWindowScene();
    scene->attach(this);
    scene_ = scene;
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller)
{
    if (controller == rootViewController_) {
        return;
    }
    auto old = rootViewController_;
    if (old) {
        if (visible_) {
            old->beginAppearanceTransition(false, false);
        }
        if (auto v = old->viewIfLoaded()) {
            v->removeFromSuperview();
        }
        if (visible_) {
            old->endAppearanceTransition();
        }
    }
    rootViewController_ = std::move(controller);
    if (rootViewController_ && visible_) {
        installRootView();
        rootViewController_->beginAppearanceTransition(true, false);
        layoutIfNeeded();
        rootViewController_->endAppearanceTransition();
    }
}

void UIWindow::installRootView()
{
    auto root = rootViewController_->view();
    root->setFrame(bounds());
    if (root->superview().get() != this) {
        insertSubview(root, 0);
    }
}

void UIWindow::makeKeyAndVisible()
{
    keyWindowSlot() = as<UIWindow>();
    setHidden(false);
    if (visible_) {
        return;
    }
    visible_ = true;
    if (!rootViewController_) {
        return;
    }
    installRootView();
    rootViewController_->beginAppearanceTransition(true, false);
    layoutIfNeeded();
    std::weak_ptr<UIViewController> root = rootViewController_;
    DispatchQueue::main().async([root] {
        if (auto controller = root.lock()) {
            controller->endAppearanceTransition();
        }
    });
}

bool UIWindow::isKeyWindow() const
{
    return keyWindowSlot().lock().get() == this;
}

std::shared_ptr<UIWindow> UIWindow::keyWindow()
{
    return keyWindowSlot().lock();
}

UIEdgeInsets UIWindow::windowSafeAreaInsets() const
{
    return safeAreaInsets_.value_or(UIScreen::mainScreen().defaultSafeAreaInsets());
}

void UIWindow::setFrame(const CGRect& frame)
{
    UIView::setFrame(frame);
    if (rootViewController_) {
        if (auto root = rootViewController_->viewIfLoaded(); root && root->superview().get() == this) {
            root->setFrame(bounds());
        }
    }
}
