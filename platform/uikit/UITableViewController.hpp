#pragma once

#include <memory>

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"

// A controller whose view is a table that it feeds and listens to. Without an interface file
// it makes a table of its style filling the screen. A table from an interface file that has no
// data source or delegate yet is connected to the controller. The default data source has no
// rows. viewWillAppear clears the selection when clearsSelectionOnViewWillAppear (the
// default); overrides call the base.
class UITableViewController : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit UITableViewController(UITableViewStyle style = UITableViewStyle::Plain);
    explicit UITableViewController(const NSCoder& coder);
    UITableViewController(std::optional<std::string> nibName, const NSBundle* bundle);

    std::shared_ptr<UITableView> tableView();
    void setTableView(std::shared_ptr<UITableView> tableView);

    bool clearsSelectionOnViewWillAppear() const { return clearsSelectionOnViewWillAppear_; }
    void setClearsSelectionOnViewWillAppear(bool clears) { clearsSelectionOnViewWillAppear_ = clears; }

    void loadView() override;
    void viewWillAppear(bool animated) override;
    // The controller's editing mode is the table's.
    void setEditing(bool editing, bool animated) override;

    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) override;
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                    const NSIndexPath& indexPath) override;

private:
    void connect(const std::shared_ptr<UITableView>& table);

    UITableViewStyle style_ = UITableViewStyle::Plain;
    bool clearsSelectionOnViewWillAppear_ = true;
};
