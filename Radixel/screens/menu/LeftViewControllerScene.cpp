#include "Radixel/screens/menu/LeftViewControllerScene.hpp"

#include "Radixel/screens/menu/LeftViewController.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {

constexpr CGFloat rowHeight = 50;

std::shared_ptr<UIView> buildMenuView(UIViewController& /*owner*/) {
    auto table = std::make_shared<UITableView>(UIScreen::mainScreen().bounds(), UITableViewStyle::Plain);
    table->setRowHeight(rowHeight);
    table->registerPrototype(LeftViewController::cellIdentifier, [] {
        return std::make_shared<UITableViewCell>(UITableViewCellStyle::Default, LeftViewController::cellIdentifier);
    });
    return table;
}

}  // namespace

std::shared_ptr<UIViewController> makeLeftViewControllerScene(const NSCoder& coder) {
    auto menu = std::make_shared<LeftViewController>(coder);
    menu->setViewBuilder(buildMenuView);
    return menu;
}
