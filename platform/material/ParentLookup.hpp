#pragma once

#include <memory>

class UIViewController;

namespace Material {

class NavigationDrawerController;
class TabItem;
class TabsController;
class ToolbarController;

// The nearest controller of the kind in the parent chain, starting with the controller itself;
// none when there is no such ancestor, and none when called from the controller's constructor
// (it has no parent yet).
std::shared_ptr<ToolbarController> toolbarController(const UIViewController& controller);
std::shared_ptr<TabsController> tabsController(const UIViewController& controller);
std::shared_ptr<NavigationDrawerController> navigationDrawerController(const UIViewController& controller);

// The controller's tab item, made on first use and kept with the controller, so it exists
// (and keeps its title, font, colours and enabled state) before the controller's view loads.
std::shared_ptr<TabItem> tabItem(UIViewController& controller);

} // namespace Material
