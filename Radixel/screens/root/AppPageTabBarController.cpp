#include "Radixel/screens/root/AppPageTabBarController.hpp"

#include "Radixel/services/KeTuColor.hpp"
#include "platform/material/MaterialColor.hpp"

// Material::TabsController

void AppPageTabBarController::prepare() {
    Material::TabsController::prepare();
    view()->setBackgroundColor(Material::Color::blueGrey::lighten5());
    setDelegate(as<AppPageTabBarController>());
    setTabBarAlignment(Material::TabBarAlignment::top);
    auto& bar = *tabBar();
    bar.setDividerColor(std::nullopt);
    bar.setLineColor(KeTuColor::color4());
    bar.setLineAlignment(Material::TabBarLineAlignment::bottom);
    bar.setBackgroundColor(KeTuColor::color3());
}
