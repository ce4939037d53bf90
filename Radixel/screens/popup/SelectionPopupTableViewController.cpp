// A popover list of texts: one section, each row 40 high, the current choice in the highlight
// colour, a 4-point border in that colour along the popover's rounded outline, and the tapped
// row handed to completion before the list closes itself.
//
// Non-obvious cases: the border goes on the popover's container (two views up from the list),
// which exists only while the list is shown as a popover; it is added on the first layout that
// finds the container and never again, however often the list is laid out. A selectedIndex
// outside the rows highlights and scrolls to nothing. The declared rowHeight is not used.

#include "Radixel/screens/popup/SelectionPopupTableViewController.hpp"

#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/CALayer.hpp"

namespace {

constexpr const char* cellIdentifier = "DefaultCell";
constexpr const char* borderName = "border";
constexpr CGFloat fixedRowHeight = 40.0;
constexpr CGFloat borderWidth = 4.0;

}  // namespace

SelectionPopupTableViewController::SelectionPopupTableViewController(UITableViewStyle style)
    : UITableViewController(style) {}

SelectionPopupTableViewController::SelectionPopupTableViewController(std::optional<std::string> nibName,
                                                                     const NSBundle* bundle)
    : UITableViewController(std::move(nibName), bundle) {}

SelectionPopupTableViewController::SelectionPopupTableViewController(const NSCoder& coder)
    : UITableViewController(coder) {}

// UIViewController

CGSize SelectionPopupTableViewController::preferredContentSize() const {
    return {static_cast<CGFloat>(rowWidth), fixedRowHeight * static_cast<CGFloat>(data.size())};
}

void SelectionPopupTableViewController::setPreferredContentSize(CGSize size) {
    UITableViewController::setPreferredContentSize(size);
}

void SelectionPopupTableViewController::viewDidLoad() {
    UITableViewController::viewDidLoad();
    auto table = tableView();
    table->registerClass<UITableViewCell>(cellIdentifier);
    table->setBackgroundColor(tableViewBgColor);
    table->setSeparatorColor(tableViewSeparatorColor);
}

void SelectionPopupTableViewController::viewWillAppear(bool animated) {
    UITableViewController::viewWillAppear(animated);
    if (!selectedIndex) return;
    NSIndexPath selected = NSIndexPath::indexPathForRow(*selectedIndex, 0);
    auto table = tableView();
    if (table->isValidIndexPath(selected)) {
        table->scrollToRowAtIndexPath(selected, UITableViewScrollPosition::Middle, true);
    }
}

void SelectionPopupTableViewController::viewWillLayoutSubviews() {
    UITableViewController::viewWillLayoutSubviews();
    addBorder();
}

// UITableViewDataSource

int64_t SelectionPopupTableViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return 1;
}

int64_t SelectionPopupTableViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&,
                                                                          int64_t) {
    return static_cast<int64_t>(data.size());
}

std::shared_ptr<UITableViewCell> SelectionPopupTableViewController::tableViewCellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const NSIndexPath& indexPath) {
    auto cell = tableView->dequeue<UITableViewCell>(cellIdentifier, indexPath);
    bool exists = indexPath.row >= 0 && indexPath.row < static_cast<int64_t>(data.size());
    auto label = cell->textLabel();
    label->setText(exists ? data[static_cast<size_t>(indexPath.row)] : std::string());
    label->setTextAlignment(textAlignment);
    // Every row stands on a dark palette colour, in either interface style.
    label->setTextColor(ThemeColor::lightText());
    cell->setBackgroundColor(selectedIndex == indexPath.row ? cellHighlightColor : cellBgColor);
    return cell;
}

// UITableViewDelegate

std::optional<CGFloat> SelectionPopupTableViewController::tableViewHeightForRowAtIndexPath(
    const std::shared_ptr<UITableView>&, const NSIndexPath&) {
    return fixedRowHeight;
}

void SelectionPopupTableViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                         const NSIndexPath& indexPath) {
    if (completion) completion(indexPath.row);
    dismissViewControllerAnimated(true);
}

// Private

void SelectionPopupTableViewController::addBorder() {
    auto list = viewIfLoaded();
    auto content = list ? list->superview() : nullptr;
    auto container = content ? content->superview() : nullptr;
    if (!container) return;
    for (const auto& layer : container->layer()->sublayers())
        if (layer->name() == borderName) return;
    auto mask = container->maskView();
    auto maskLayer = mask ? std::dynamic_pointer_cast<CAShapeLayer>(mask->layer()) : nullptr;
    if (!maskLayer) return;
    auto border = std::make_shared<CAShapeLayer>();
    border->setPath(maskLayer->path());
    border->setLineWidth(borderWidth);
    border->setStrokeColor(cellHighlightColor.cgColor());
    border->setFillColor(UIColor::clearColor().cgColor());
    border->setFrame(maskLayer->bounds());
    border->setName(borderName);
    container->layer()->addSublayer(border);
}
