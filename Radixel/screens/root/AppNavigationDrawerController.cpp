#include "Radixel/screens/root/AppNavigationDrawerController.hpp"

// Material::RootController

void AppNavigationDrawerController::prepare() {
    Material::NavigationDrawerController::prepare();
    setDelegate(as<AppNavigationDrawerController>());
}
