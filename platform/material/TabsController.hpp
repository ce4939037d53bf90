#pragma once

#include <memory>
#include <vector>

#include "platform/material/TabBar.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace Material {

enum class TabBarAlignment : int { top = 0, bottom = 1 };

class TabsController;

class TabsControllerDelegate {
public:
    virtual ~TabsControllerDelegate() = default;
    virtual bool tabsControllerShouldSelect(TabsController&, const std::shared_ptr<UIViewController>&) { return true; }
    virtual void tabsControllerWillSelect(TabsController&, const std::shared_ptr<UIViewController>&) {}
    virtual void tabsControllerDidSelect(TabsController&, const std::shared_ptr<UIViewController>&) {}
};

// Pages with a tab bar. All pages are children, with their views loaded (in page order), from
// the moment the container's view loads, so a page's outlets can be used before it is first
// shown; only the selected page's view is in the container. The tab bar shows each page's tabItem (see
// Material::tabItem), and tapping an item selects its page. prepare() runs once from
// viewDidLoad; subclasses override it and call the base first.
//
// Appearance: the container's own appearance goes on to the selected page only. select(at:)
// on a container that is on screen sends, in order: old page viewWillDisappear, new page
// viewWillAppear, old page viewDidDisappear, new page viewDidAppear; the delegate hears
// willSelect before and didSelect after. Selecting the current page or an index out of range
// does nothing.
class TabsController : public UIViewController {
public:
    TabsController(std::vector<std::shared_ptr<UIViewController>> viewControllers, size_t selectedIndex);
    explicit TabsController(const NSCoder& coder);

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return viewControllers_; }
    size_t selectedIndex() const { return selectedIndex_; }
    std::shared_ptr<UIViewController> selectedViewController() const;
    void select(size_t index);

    const std::shared_ptr<TabBar>& tabBar() const { return tabBar_; }
    TabBarAlignment tabBarAlignment() const { return tabBarAlignment_; }
    void setTabBarAlignment(TabBarAlignment alignment);

    std::shared_ptr<TabsControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<TabsControllerDelegate>& delegate) { delegate_ = delegate; }

    virtual void prepare() {}

    void loadView() override;
    void viewDidLoad() override;

protected:
    void layoutContainer();

private:
    std::vector<std::shared_ptr<UIViewController>> viewControllers_;
    size_t selectedIndex_ = 0;
    std::shared_ptr<TabBar> tabBar_ = std::make_shared<TabBar>();
    TabBarAlignment tabBarAlignment_ = TabBarAlignment::bottom;
    std::weak_ptr<TabsControllerDelegate> delegate_;
};

} // namespace Material
