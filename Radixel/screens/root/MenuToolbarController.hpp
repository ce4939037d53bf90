#pragma once

#include "Radixel/screens/root/BasicToolbarController.hpp"

// The toolbar above the drawer's menu: taller than the page toolbar, without a status bar
// strip, titled with the application's name.
class MenuToolbarController : public BasicToolbarController {
public:
    using BasicToolbarController::BasicToolbarController;

    static constexpr CGFloat toolbarHeight = 90.0;

    // Material::RootController
    void prepare() override;
};
