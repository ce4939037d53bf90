#include "platform/material/TabsController.hpp"

#include "platform/foundation/WeakSelf.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/RootController.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace Material {

namespace {
constexpr CGFloat tabBarHeight = 49;
}

TabsController::TabsController(std::vector<std::shared_ptr<UIViewController>> viewControllers, size_t selectedIndex)
    : viewControllers_(std::move(viewControllers)), selectedIndex_(selectedIndex)
{
    std::erase(viewControllers_, nullptr);
    if (selectedIndex_ >= viewControllers_.size()) {
        selectedIndex_ = 0;
    }
}

TabsController::TabsController(const NSCoder& coder) : UIViewController(coder) {}

std::shared_ptr<UIViewController> TabsController::selectedViewController() const
{
    return selectedIndex_ < viewControllers_.size() ? viewControllers_[selectedIndex_] : nullptr;
}

void TabsController::setTabBarAlignment(TabBarAlignment alignment)
{
    tabBarAlignment_ = alignment;
    if (auto v = viewIfLoaded()) {
        v->setNeedsLayout();
    }
}

void TabsController::loadView()
{
    auto container = std::make_shared<ContainerView>(UIScreen::mainScreen().bounds());
    container->setLayoutHandler(weakly(this, [](const std::shared_ptr<TabsController>& self) { self->layoutContainer(); }));
    setView(container);
}

void TabsController::viewDidLoad()
{
    auto self = std::static_pointer_cast<TabsController>(shared_from_this());
    std::vector<std::shared_ptr<TabItem>> items;
    for (size_t i = 0; i < viewControllers_.size(); ++i) {
        auto& page = viewControllers_[i];
        addChildViewController(page);
        page->didMoveToParentViewController(self);
        auto item = tabItem(*page);
        item->removeAllActions();
        item->addAction(
            weakly(this, [i](const std::shared_ptr<TabsController>& tabs, const std::shared_ptr<UIControl>&) { tabs->select(i); }),
            UIControlEventTouchUpInside);
        items.push_back(item);
    }
    tabBar_->setTabItems(items);
    view()->addSubview(tabBar_);
    for (auto& page : viewControllers_) {
        page->loadViewIfNeeded();
    }
    if (auto page = selectedViewController()) {
        view()->insertSubview(page->view(), 0);
        tabBar_->setSelectedTabItem(items[selectedIndex_]);
    }
    prepare();
    layoutContainer();
}

void TabsController::layoutContainer()
{
    auto v = viewIfLoaded();
    if (!v) {
        return;
    }
    CGRect b = v->bounds();
    bool top = tabBarAlignment_ == TabBarAlignment::top;
    tabBar_->setFrame({0, top ? 0 : b.size.height - tabBarHeight, b.size.width, tabBarHeight});
    if (auto page = selectedViewController()) {
        if (auto pageView = page->viewIfLoaded()) {
            pageView->setFrame({0, top ? tabBarHeight : 0, b.size.width, std::max(0.0, b.size.height - tabBarHeight)});
        }
    }
}

void TabsController::select(size_t index)
{
    if (index >= viewControllers_.size() || index == selectedIndex_) {
        return;
    }
    auto next = viewControllers_[index];
    auto d = delegate();
    if (d && !d->tabsControllerShouldSelect(*this, next)) {
        return;
    }
    if (d) {
        d->tabsControllerWillSelect(*this, next);
    }
    auto keep = shared_from_this();
    auto previous = selectedViewController();
    if (!isViewLoaded()) {
        selectedIndex_ = index;
        if (d) {
            d->tabsControllerDidSelect(*this, next);
        }
        return;
    }
    bool onScreen = appearanceState() == UIAppearanceState::Appeared || appearanceState() == UIAppearanceState::Appearing;
    if (onScreen) {
        previous->beginAppearanceTransition(false, false);
        next->beginAppearanceTransition(true, false);
    }
    if (auto oldView = previous->viewIfLoaded()) {
        oldView->removeFromSuperview();
    }
    view()->insertSubview(next->view(), 0);
    selectedIndex_ = index;
    tabBar_->setSelectedTabItem(tabItem(*next));
    layoutContainer();
    view()->layoutIfNeeded();
    if (onScreen) {
        previous->endAppearanceTransition();
        next->endAppearanceTransition();
    }
    if (d) {
        d->tabsControllerDidSelect(*this, next);
    }
}

} // namespace Material
