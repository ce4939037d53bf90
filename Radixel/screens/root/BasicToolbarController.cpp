#include "Radixel/screens/root/BasicToolbarController.hpp"

#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"

void BasicToolbarController::prepareToolbar() {
    auto& bar = *toolbar();
    bar.setDepthPreset(Material::DepthPreset::none);
    bar.setBackgroundColor(KeTuColor::color2());
    bar.titleLabel()->setTextColor(ThemeColor::lightText());
    bar.detailLabel()->setTextColor(ThemeColor::lightText());
    bar.titleLabel()->setTextAlignment(NSTextAlignment::Left);
    // Without the face installed the label keeps its default font.
    if (auto font = UIFont::fontWithName("Avenir-Heavy", 20)) bar.titleLabel()->setFont(*font);
    bar.detailLabel()->setTextAlignment(NSTextAlignment::Left);
}

// Material::RootController

void BasicToolbarController::prepare() {
    Material::ToolbarController::prepare();
    prepareToolbar();
}
