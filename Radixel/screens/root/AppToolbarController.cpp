#include "Radixel/screens/root/AppToolbarController.hpp"

#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/material/Icon.hpp"
#include "platform/material/NavigationDrawerController.hpp"
#include "platform/material/ParentLookup.hpp"

// Material::RootController

void AppToolbarController::prepare() {
    BasicToolbarController::prepare();
    menuButton = std::make_shared<Material::IconButton>(Material::Icon::menu(), ThemeColor::lightText());
    menuButton->addTarget(as<AppToolbarController>(), &AppToolbarController::handleMenuButton,
                          UIControlEventTouchUpInside);
    setStatusBarStyle(Material::UIStatusBarStyle::lightContent);
    statusBar()->setBackgroundColor(KeTuColor::color1());
    toolbar()->setLeftViews({menuButton});
    toolbar()->titleLabel()->setAdjustsFontSizeToFitWidth(true);
}

// Actions

void AppToolbarController::handleMenuButton() {
    DDVAnalytics::logEventWithName("tapped_menu_button");
    if (isCalculating) return;
    if (auto drawer = Material::navigationDrawerController(*this)) drawer->openLeftView(0);
}
