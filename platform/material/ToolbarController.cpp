#include "platform/material/ToolbarController.hpp"

namespace Material {

namespace {
constexpr CGFloat statusBarHeight = 20;
constexpr CGFloat defaultToolbarHeight = 56;
} // namespace

ToolbarController::ToolbarController(std::shared_ptr<UIViewController> rootViewController) : RootController(std::move(rootViewController)) {}

ToolbarController::ToolbarController(const NSCoder& coder) : RootController(coder) {}

void ToolbarController::setStatusBarHidden(bool hidden)
{
    statusBar_->setHidden(hidden);
    if (auto v = viewIfLoaded()) {
        v->setNeedsLayout();
    }
}

void ToolbarController::viewDidLoad()
{
    view()->addSubview(statusBar_);
    view()->addSubview(toolbar_);
    RootController::viewDidLoad();
}

CGRect ToolbarController::contentArea() const
{
    auto v = viewIfLoaded();
    if (!v) {
        return CGRectZero;
    }
    CGRect b = v->bounds();
    CGFloat top = (statusBar_->isHidden() ? 0 : statusBarHeight) +
                  (toolbar_->frame().size.height > 0 ? toolbar_->frame().size.height : defaultToolbarHeight);
    return {0, top, b.size.width, std::max(0.0, b.size.height - top)};
}

void ToolbarController::layoutContainer()
{
    auto v = viewIfLoaded();
    if (!v) {
        return;
    }
    CGFloat width = v->bounds().size.width;
    CGFloat barTop = statusBar_->isHidden() ? 0 : statusBarHeight;
    statusBar_->setFrame({0, 0, width, barTop});
    CGFloat height = toolbar_->frame().size.height > 0 ? toolbar_->frame().size.height : defaultToolbarHeight;
    toolbar_->setFrame({0, barTop, width, height});
    RootController::layoutContainer();
}

} // namespace Material
