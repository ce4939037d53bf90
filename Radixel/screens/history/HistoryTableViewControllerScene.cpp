#include "Radixel/screens/history/HistoryTableViewControllerScene.hpp"

#include "Radixel/screens/history/HistoryTableViewCell.hpp"
#include "Radixel/screens/history/HistoryTableViewController.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {

constexpr CGFloat rowHeight = 64;
constexpr CGFloat margin = 16;
constexpr CGFloat formulaSize = 18;

std::shared_ptr<UITableViewCell> makeHistoryCell() {
    auto cell = std::make_shared<HistoryTableViewCell>(
        NSCoder(HistoryTableViewController::storyboardName, HistoryTableViewCell::cellIdentifier));
    cell->setFrame({0, 0, UIScreen::mainScreen().bounds().size.width, rowHeight});
    auto content = cell->contentView();
    content->setFrame(cell->bounds());
    auto formula = std::make_shared<MTMathUILabel>();
    formula->setFontSize(formulaSize);
    formula->setClipsToBounds(true);
    formula->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(formula);
    NSLayoutConstraint::activateConstraints({
        formula->topAnchor().constraintEqualToAnchor(content->topAnchor()),
        formula->bottomAnchor().constraintEqualToAnchor(content->bottomAnchor()),
        formula->leadingAnchor().constraintEqualToAnchor(content->leadingAnchor(), margin),
        formula->trailingAnchor().constraintEqualToAnchor(content->trailingAnchor(), -margin),
    });
    cell->mathLabel = formula;
    return cell;
}

std::shared_ptr<UIView> buildHistoryView(UIViewController& /*owner*/) {
    auto table = std::make_shared<UITableView>(UIScreen::mainScreen().bounds(), UITableViewStyle::Plain);
    table->setBackgroundColor(ThemeColor::background());
    table->setRowHeight(rowHeight);
    table->registerPrototype(HistoryTableViewCell::cellIdentifier, makeHistoryCell);
    return table;
}

}  // namespace

std::shared_ptr<UIViewController> makeHistoryTableViewControllerScene(const NSCoder& coder) {
    auto history = std::make_shared<HistoryTableViewController>(coder);
    history->setViewBuilder(buildHistoryView);
    return history;
}
