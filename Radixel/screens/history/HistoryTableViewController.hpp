#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/material/Button.hpp"
#include "platform/uikit/UITableViewController.hpp"

// The calculation history, newest first: one row per entry of the history store, each showing
// the entry's LaTeX summary. A tap reopens the entry in new calculate and solution pages; a
// swipe or the delete control removes one entry; in editing mode a row drags to a new place;
// the toolbar's clear button empties the whole history after a confirmation.
//
// Non-obvious cases: the screen keeps no copy of the history, every table question reads the
// store, so what it shows is what a restart loads. A row dragged over several rows lands where
// it was dropped and the rows between move up or down by one, in the store too (see
// tableViewMoveRowAtIndexPath). Row numbers outside the history do nothing. The toolbar
// buttons go into whichever toolbar holds the screen each time it appears.
class HistoryTableViewController : public UITableViewController {
public:
    static constexpr const char* storyboardName = "Main";
    static constexpr const char* sceneIdentifier = "HistoryTableViewController";

    explicit HistoryTableViewController(UITableViewStyle style = UITableViewStyle::Plain);
    explicit HistoryTableViewController(const NSCoder& coder);

    std::shared_ptr<Material::IconButton> editButton;
    std::shared_ptr<Material::IconButton> clearAllButton;
    // Part of the screen's documented state; the rows are read from the store instead.
    std::vector<std::string> latexStrings;

    // UIViewController
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    // UITableViewDataSource
    int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) override;
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                    const NSIndexPath& indexPath) override;
    bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                        const NSIndexPath& indexPath) override;
    bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                        const NSIndexPath& indexPath) override;
    void tableViewCommitEditingStyle(const std::shared_ptr<UITableView>& tableView, UITableViewCellEditingStyle style,
                                     const NSIndexPath& indexPath) override;
    void tableViewMoveRowAtIndexPath(const std::shared_ptr<UITableView>& tableView, const NSIndexPath& from,
                                     const NSIndexPath& to) override;

    // UITableViewDelegate
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;

    // Actions
    void handleEditButton();
    void handleClearAllButton();

private:
    void setupToolbar();
    void clearHistory();
};
