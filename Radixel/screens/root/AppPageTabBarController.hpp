#pragma once

#include <memory>
#include <vector>

#include "platform/material/TabsController.hpp"

// The two pages under the page toolbar, the calculate page (0) and the solution page (1), with
// the tab bar at the top. Each page titles its own tab item.
class AppPageTabBarController : public Material::TabsController, public Material::TabsControllerDelegate {
public:
    using Material::TabsController::TabsController;

    // Material::TabsController
    void prepare() override;
};
