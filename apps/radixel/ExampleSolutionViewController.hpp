#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/uikit/UITableViewController.hpp"

// A stand-in first screen: the solution of the example calculation (p = -2.4, q = 7/3) as
// solved by the math framework, one row per step. The real screens replace it.
class ExampleSolutionViewController : public UITableViewController {
public:
    ExampleSolutionViewController();

    void viewDidLoad() override;
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) override;
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                    const NSIndexPath& indexPath) override;
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                            const NSIndexPath& indexPath) override;

private:
    std::vector<std::map<std::string, std::string>> steps_;
};
