#include "platform/material/ParentLookup.hpp"

#include "platform/material/NavigationDrawerController.hpp"
#include "platform/material/TabBar.hpp"
#include "platform/material/TabsController.hpp"
#include "platform/material/ToolbarController.hpp"

namespace Material {

namespace {

template <class T>
std::shared_ptr<T> nearest(const UIViewController& controller)
{
    // From a constructor the controller is not owned yet and has no parent: there is none.
    auto self = std::const_pointer_cast<UIResponder>(controller.weak_from_this().lock());
    auto current = std::dynamic_pointer_cast<UIViewController>(self);
    while (current) {
        if (auto found = std::dynamic_pointer_cast<T>(current)) {
            return found;
        }
        current = current->parentViewController();
    }
    return nullptr;
}

const char tabItemKey = 0;

} // namespace

std::shared_ptr<ToolbarController> toolbarController(const UIViewController& controller)
{
    return nearest<ToolbarController>(controller);
}

std::shared_ptr<TabsController> tabsController(const UIViewController& controller)
{
    return nearest<TabsController>(controller);
}

std::shared_ptr<NavigationDrawerController> navigationDrawerController(const UIViewController& controller)
{
    return nearest<NavigationDrawerController>(controller);
}

std::shared_ptr<TabItem> tabItem(UIViewController& controller)
{
    if (auto existing = std::static_pointer_cast<TabItem>(controller.associatedObject(&tabItemKey))) {
        return existing;
    }
    auto item = std::make_shared<TabItem>();
    controller.setAssociatedObject(&tabItemKey, item);
    return item;
}

} // namespace Material
