#pragma once

#include <memory>

class NSCoder;
class UIViewController;

// The history's scene "HistoryTableViewController" of the storyboard "Main": a plain table,
// rows 64 high, with the prototype cell "historyCell" whose formula label fills the row inside
// margins of 16 points, following the row's content as editing controls narrow it.
std::shared_ptr<UIViewController> makeHistoryTableViewControllerScene(const NSCoder& coder);
