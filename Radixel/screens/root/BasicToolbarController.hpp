#pragma once

#include <memory>

#include "platform/material/ToolbarController.hpp"

// The common look of the application's two toolbars (the one above the pages and the one above
// the drawer's menu): no shadow, the brand colour behind, light left-aligned titles.
class BasicToolbarController : public Material::ToolbarController {
public:
    explicit BasicToolbarController(std::shared_ptr<UIViewController> rootViewController)
        : Material::ToolbarController(std::move(rootViewController)) {}
    explicit BasicToolbarController(const NSCoder& coder) : Material::ToolbarController(coder) {}

    void prepareToolbar();

    // Material::RootController
    void prepare() override;
};
