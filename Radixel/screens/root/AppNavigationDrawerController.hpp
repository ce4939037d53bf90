#pragma once

#include <memory>

#include "platform/material/NavigationDrawerController.hpp"

// The window's root: the page toolbar as its content and the menu (under its own toolbar) as
// the left drawer. It listens to its own drawer but acts on nothing it hears.
class AppNavigationDrawerController : public Material::NavigationDrawerController,
                                      public Material::NavigationDrawerControllerDelegate {
public:
    using Material::NavigationDrawerController::NavigationDrawerController;

    // Material::RootController
    void prepare() override;

    // Material::NavigationDrawerControllerDelegate: the platform's empty defaults serve.
};
