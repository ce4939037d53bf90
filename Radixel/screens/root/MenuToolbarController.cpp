#include "Radixel/screens/root/MenuToolbarController.hpp"

#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/LocalizedAppName.hpp"

// Material::RootController

void MenuToolbarController::prepare() {
    BasicToolbarController::prepare();
    setStatusBarHidden(true);
    auto& bar = *toolbar();
    // The title sits low in the tall bar, below where the status bar would be.
    bar.setContentEdgeInsets({57, 0, 0, 0});
    bar.setBackgroundColor(KeTuColor::color1());
    bar.setTitle("  " + localizedAppName() + "  ");
    bar.titleLabel()->setAdjustsFontSizeToFitWidth(true);
    CGRect frame = bar.frame();
    bar.setFrame({frame.origin.x, frame.origin.y, frame.size.width, toolbarHeight});
}
