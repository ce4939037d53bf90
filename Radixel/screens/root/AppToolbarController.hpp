#pragma once

#include <memory>

#include "Radixel/screens/root/BasicToolbarController.hpp"
#include "platform/material/Button.hpp"

// The toolbar above the page tabs: the menu button that opens the drawer, and whatever the
// current page puts on the other side (the calculate page's Clear button). While a calculation
// runs, the menu button only records the tap; the drawer stays closed.
class AppToolbarController : public BasicToolbarController {
public:
    using BasicToolbarController::BasicToolbarController;

    std::shared_ptr<Material::IconButton> menuButton;

    // Material::RootController
    void prepare() override;

    // Actions
    void handleMenuButton();
};
