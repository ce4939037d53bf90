#pragma once

#include "platform/uikit/UITableViewController.hpp"

// The drawer's menu. For now an empty table: its rows (calculate, history, introduction,
// privacy policy, contacts and the family's other apps) come with the menu screen itself.
class LeftViewController : public UITableViewController {
public:
    using UITableViewController::UITableViewController;
};
