// The history list: one section, row i showing entry i of the history store (0 the newest). The
// store is the only copy: deleting, moving and clearing change it and save it at once, so a
// restart shows the list exactly as the user left it.
//
// Non-obvious cases: clearing logs how many entries there were and leaves an empty list stored
// (the key present), not a missing one. Tapping an entry makes it the store's picked calculation
// (saved) and forgets the calculate page's last inputs, so the new calculate page shows the
// entry's p and q; outside a drawer the tap only records the pick.

#include "Radixel/screens/history/HistoryTableViewController.hpp"

#include <algorithm>

#include "Radixel/screens/history/HistoryTableViewCell.hpp"
#include "Radixel/screens/menu/DrawerNavigation.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/WeakSelf.hpp"
#include "platform/material/Icon.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/ToolbarController.hpp"

namespace {

using Self = std::shared_ptr<HistoryTableViewController>;

std::vector<Calculation>& history() { return CalcManager::shared().calculations; }

// The entry a row shows; none for a row the history does not have.
Calculation* entryAt(const NSIndexPath& indexPath) {
    auto& list = history();
    if (indexPath.section != 0 || indexPath.row < 0 || indexPath.row >= static_cast<int64_t>(list.size()))
        return nullptr;
    return &list[static_cast<size_t>(indexPath.row)];
}

// Writes the whole list as the store does after each of its own changes.
void saveHistory() {
    CalcManager& store = CalcManager::shared();
    store.userDefaults->setObject(store.calculationDictionaries(), DefaultsKeys::calculations.name());
}

std::shared_ptr<Material::IconButton> makeToolbarButton(std::shared_ptr<UIImage> image, const std::string& name) {
    auto button = std::make_shared<Material::IconButton>(std::move(image), ThemeColor::lightText());
    button->setAccessibilityIdentifier(name);
    return button;
}

}  // namespace

HistoryTableViewController::HistoryTableViewController(UITableViewStyle style) : UITableViewController(style) {}

HistoryTableViewController::HistoryTableViewController(const NSCoder& coder) : UITableViewController(coder) {}

// UIViewController

void HistoryTableViewController::viewDidLoad() {
    UITableViewController::viewDidLoad();
    tableView()->setTableFooterView(std::make_shared<UIView>());
    auto self = as<HistoryTableViewController>();
    editButton = makeToolbarButton(Material::Icon::edit(), "historyEditButton");
    editButton->addTarget(self, &HistoryTableViewController::handleEditButton, UIControlEventTouchUpInside);
    clearAllButton = makeToolbarButton(Material::Icon::clear(), "historyClearButton");
    clearAllButton->addTarget(self, &HistoryTableViewController::handleClearAllButton, UIControlEventTouchUpInside);
}

void HistoryTableViewController::viewDidAppear(bool animated) {
    UITableViewController::viewDidAppear(animated);
    setupToolbar();
}

// UITableViewDataSource

int64_t HistoryTableViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>& /*tableView*/) {
    return 1;
}

int64_t HistoryTableViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& /*tableView*/,
                                                                   int64_t section) {
    return section == 0 ? static_cast<int64_t>(history().size()) : 0;
}

std::shared_ptr<UITableViewCell> HistoryTableViewController::tableViewCellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const NSIndexPath& indexPath) {
    auto cell = tableView->dequeue<HistoryTableViewCell>(indexPath);
    const Calculation* calculation = entryAt(indexPath);
    cell->mathLabel->setLatex(calculation ? calculation->latexString : std::string());
    return cell;
}

bool HistoryTableViewController::tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/,
                                                                const NSIndexPath& /*indexPath*/) {
    return true;
}

bool HistoryTableViewController::tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/,
                                                                const NSIndexPath& /*indexPath*/) {
    return true;
}

void HistoryTableViewController::tableViewCommitEditingStyle(const std::shared_ptr<UITableView>& tableView,
                                                             UITableViewCellEditingStyle style,
                                                             const NSIndexPath& indexPath) {
    if (style != UITableViewCellEditingStyle::Delete || !entryAt(indexPath)) return;
    DDVAnalytics::logEventWithName("tapped_history_delete_single_calc");
    CalcManager::shared().removeCalculation(static_cast<size_t>(indexPath.row));
    tableView->deleteRowsAtIndexPaths({indexPath}, UITableViewRowAnimation::Fade);
}

// The table has already moved the row: it sits where it was dropped and the rows it passed have
// shifted by one. The store follows that move rather than exchanging the two rows, so for drags
// over several rows the list the user sees is the list that is saved (an exchange would put
// the row that was at the drop place back where the drag began), and the stored list stays
// the same plain list of records in a new order. Over one row both are the same.
void HistoryTableViewController::tableViewMoveRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/,
                                                             const NSIndexPath& from, const NSIndexPath& to) {
    if (!entryAt(from) || !entryAt(to) || from.row == to.row) return;
    auto& list = history();
    auto source = list.begin() + from.row;
    auto destination = list.begin() + to.row;
    if (from.row < to.row)
        std::rotate(source, source + 1, destination + 1);
    else
        std::rotate(destination, source, source + 1);
    saveHistory();
}

// UITableViewDelegate

void HistoryTableViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                  const NSIndexPath& indexPath) {
    if (auto selected = tableView->indexPathForSelectedRow())
        tableView->reloadRowsAtIndexPaths({*selected}, UITableViewRowAnimation::None);
    const Calculation* calculation = entryAt(indexPath);
    if (!calculation) return;

    CalcManager& store = CalcManager::shared();
    store.currentCalculation.reset();
    store.currentSelectedCalculation = *calculation;
    store.saveCurrentSelectedCalculation();
    DDVAnalytics::logEventWithName("tapped_history_item", {{"calc_parameters", calculation->inputParameters},
                                                           {"latex_string", calculation->latexString}});
    showFreshCalculatePages(*this);
}

// Actions

void HistoryTableViewController::handleEditButton() {
    auto table = tableView();
    table->setEditing(!table->isEditing(), true);
}

void HistoryTableViewController::handleClearAllButton() {
    auto clear = UIAlertAction::actionWithTitle(
        NSLocalizedString("Clear", "Alert view action -Clear- for clearing history"), UIAlertActionStyle::Default,
        weakly(this, [](const Self& self, const std::shared_ptr<UIAlertAction>&) { self->clearHistory(); }));
    auto cancel =
        UIAlertAction::actionWithTitle(NSLocalizedString("Cancel", "Alert view action -Cancel- for clearing history"),
                                       UIAlertActionStyle::Cancel, nullptr);
    showAlert(
        *this, NSLocalizedString("Clear History", "Alert view title for clearing history"),
        NSLocalizedString("Are you sure to delete your whole history?", "Alert view message for clearing history"),
        {clear, cancel}, UIAlertControllerStyle::Alert);
}

// Private

void HistoryTableViewController::setupToolbar() {
    auto toolbarController = Material::toolbarController(*this);
    if (!toolbarController) return;
    auto& toolbar = *toolbarController->toolbar();
    toolbar.setTitle(NSLocalizedString("History", "Toolbar title for history view"));
    toolbar.setRightViews({clearAllButton, editButton});
}

void HistoryTableViewController::clearHistory() {
    CalcManager& store = CalcManager::shared();
    DDVAnalytics::logEventWithName("tapped_history_clear",
                                   {{"calc_count", static_cast<int64_t>(store.calculations.size())}});
    store.userDefaults->removeObjectForKey(DefaultsKeys::calculations.name());
    store.calculations.clear();
    saveHistory();
    tableView()->reloadData();
}
