#include "platform/uikit/UITableViewController.hpp"

#include "platform/uikit/UIScreen.hpp"

UITableViewController::UITableViewController(UITableViewStyle style) : style_(style) {}

UITableViewController::UITableViewController(const NSCoder& coder) : UIViewController(coder) {}

UITableViewController::UITableViewController(std::optional<std::string> nibName, const NSBundle* bundle)
    : UIViewController(std::move(nibName), bundle)
{
}

void UITableViewController::setEditing(bool editing, bool animated)
{
    UIViewController::setEditing(editing, animated);
    tableView()->setEditing(editing, animated);
}

std::shared_ptr<UITableView> UITableViewController::tableView()
{
    return std::dynamic_pointer_cast<UITableView>(view());
}

void UITableViewController::setTableView(std::shared_ptr<UITableView> tableView)
{
    setView(tableView);
    if (tableView) {
        connect(tableView);
    }
}

void UITableViewController::connect(const std::shared_ptr<UITableView>& table)
{
    auto self = std::dynamic_pointer_cast<UITableViewController>(shared_from_this());
    if (!table->dataSource()) {
        table->setDataSource(self);
    }
    if (!table->tableDelegate()) {
        table->setDelegate(self);
    }
}

void UITableViewController::loadView()
{
    UIViewController::loadView();
    auto table = std::dynamic_pointer_cast<UITableView>(viewIfLoaded());
    if (!table) {
        table = std::make_shared<UITableView>(UIScreen::mainScreen().bounds(), style_);
        setView(table);
    }
    connect(table);
}

void UITableViewController::viewWillAppear(bool animated)
{
    if (!clearsSelectionOnViewWillAppear_) {
        return;
    }
    if (auto table = std::dynamic_pointer_cast<UITableView>(viewIfLoaded())) {
        if (auto selected = table->indexPathForSelectedRow()) {
            table->deselectRowAtIndexPath(*selected, animated);
        }
    }
}

int64_t UITableViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t)
{
    return 0;
}

std::shared_ptr<UITableViewCell> UITableViewController::tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&)
{
    return nullptr;
}
