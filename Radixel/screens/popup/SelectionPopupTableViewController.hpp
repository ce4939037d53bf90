#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/services/KeTuColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableViewController.hpp"

class NSBundle;

// A popover list of texts in the palette colours, as high as its rows, that marks the current
// choice, scrolls to it and hands the tapped row to completion before closing itself. The
// presenter sets the fields first and presents it as a popover (every controller keeps a popover
// a popover on a phone when it is the popover's delegate):
//
//     auto list = std::make_shared<SelectionPopupTableViewController>();
//     list->data = {"m", "cm", "mm"};
//     list->selectedIndex = 1;
//     list->completion = [](int64_t row) { ... };
//     list->setModalPresentationStyle(UIModalPresentationStyle::Popover);
//     list->popoverPresentationController()->setSourceView(anchor);
//     list->popoverPresentationController()->setDelegate(presenter);
//     presenter->presentViewController(list, true);
class SelectionPopupTableViewController : public UITableViewController {
public:
    explicit SelectionPopupTableViewController(UITableViewStyle style = UITableViewStyle::Plain);
    SelectionPopupTableViewController(std::optional<std::string> nibName, const NSBundle* bundle);
    explicit SelectionPopupTableViewController(const NSCoder& coder);

    // Declared for callers; rows are 40 high whatever it holds.
    double rowHeight = 40.0;
    int64_t rowWidth = 80;
    NSTextAlignment textAlignment = NSTextAlignment::Center;
    UIColor tableViewBgColor = KeTuColor::color1();
    UIColor tableViewSeparatorColor = KeTuColor::color1();
    UIColor cellBgColor = KeTuColor::color3();
    // The selected row's background, and the border along the popover.
    UIColor cellHighlightColor = KeTuColor::color2();
    std::optional<int64_t> selectedIndex;
    std::vector<std::string> data;
    std::function<void(int64_t)> completion;

    // UIViewController
    CGSize preferredContentSize() const override;
    void setPreferredContentSize(CGSize size) override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillLayoutSubviews() override;

    // UITableViewDataSource
    int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) override;
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                    const NSIndexPath& indexPath) override;

    // UITableViewDelegate
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                            const NSIndexPath& indexPath) override;
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;

private:
    void addBorder();
};
