#include "Radixel/screens/menu/DrawerNavigation.hpp"

#include <functional>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/material/NavigationDrawerController.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabsController.hpp"

namespace {

using Drawer = std::shared_ptr<Material::NavigationDrawerController>;

// The transition may outlive the drawer (a restart); it must not keep it.
std::function<void(bool)> closingMenu(const Drawer& drawer) {
    return weakly(drawer, [](const Drawer& self, bool /*finished*/) { self->closeLeftView(0); });
}

// A calculate page keeps its inputs for the next one as it disappears, but a transition loads
// the new page before the old one disappears: without this the new page would show the inputs
// kept at some earlier time and the user's latest typing would be lost.
void keepRunningInputs(const Drawer& drawer) {
    auto toolbar = std::dynamic_pointer_cast<AppToolbarController>(drawer->rootViewController());
    auto tabs = toolbar ? std::dynamic_pointer_cast<Material::TabsController>(toolbar->rootViewController()) : nullptr;
    if (!tabs) return;
    for (const auto& page : tabs->viewControllers()) {
        auto calculate = std::dynamic_pointer_cast<CalculateViewController>(page);
        if (calculate && calculate->isViewLoaded()) calculate->storeCurrentInputs();
    }
}

}  // namespace

bool showFreshCalculatePages(const UIViewController& from) {
    Drawer drawer = Material::navigationDrawerController(from);
    if (!drawer) return false;
    keepRunningInputs(drawer);
    // Made only to build the pages: it never launches, and goes when this returns.
    auto pages = std::make_shared<AppDelegate>()->appToolbarController();
    drawer->transition(pages, closingMenu(drawer));
    return true;
}

bool showUnderAppToolbar(const UIViewController& from, const std::shared_ptr<UIViewController>& screen) {
    Drawer drawer = Material::navigationDrawerController(from);
    if (!drawer) return false;
    auto toolbar = std::dynamic_pointer_cast<AppToolbarController>(drawer->rootViewController());
    if (!toolbar) return false;
    toolbar->transition(screen, closingMenu(drawer));
    return true;
}
