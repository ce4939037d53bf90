#include "platform/render/TouchRouter.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/render/DialogLayout.hpp"
#include "platform/render/ShareSheetSaver.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UICollectionView.hpp"
#include "platform/uikit/UIPopoverPresentationController.hpp"
#include "platform/uikit/UICollectionViewCell.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace render {
namespace {

constexpr double tapSlop = uikit::TouchTracker::tapSlop;
constexpr double pointsPerWheelStep = 40;
constexpr double zoomPerWheelStep = 1.1;

// The alert or share sheet presented last, when the window's front-most view that takes touches
// is its view or the popover holding it (a busy overlay over it would take the touches instead).
std::shared_ptr<UIViewController> topDialog(const UIWindow& window)
{
    auto top = window.rootViewController();
    while (top && top->presentedViewController()) {
        top = top->presentedViewController();
    }
    if (!std::dynamic_pointer_cast<UIAlertController>(top) && !std::dynamic_pointer_cast<UIActivityViewController>(top)) {
        return nullptr;
    }
    const auto& subviews = window.subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        // Hidden views, and views on their way out after a dismissal, take no touches.
        if ((*it)->isHidden() || !(*it)->isUserInteractionEnabled()) {
            continue;
        }
        auto view = top->viewIfLoaded();
        return view && view->isDescendantOfView(it->get()) ? top : nullptr;
    }
    return nullptr;
}

// Whether the scroll view has content beyond its bounds along that axis.
bool canScroll(const UIScrollView& scrollView, bool horizontally)
{
    CGPoint limit = scrollView.maximumContentOffset();
    UIEdgeInsets inset = scrollView.contentInset();
    return horizontally ? limit.x > -inset.left : limit.y > -inset.top;
}

} // namespace

std::shared_ptr<UIScrollView> TouchRouter::scrollViewFor(const std::shared_ptr<UIView>& view, double dx, double dy)
{
    // As on the phone, a movement goes to the innermost scroll view that can move in the
    // movement's main direction: a vertical turn over a formula that scrolls only sideways
    // scrolls the list around it.
    bool horizontally = std::abs(dx) > std::abs(dy);
    auto scrollView = uikit::nearestOfClass<UIScrollView>(view);
    while (scrollView && !(scrollView->isScrollEnabled() && canScroll(*scrollView, horizontally))) {
        scrollView = uikit::nearestOfClass<UIScrollView>(scrollView->superview());
    }
    return scrollView;
}

std::shared_ptr<UIView> TouchRouter::hitTest(const std::shared_ptr<UIView>& root, CGPoint point)
{
    if (!root || root->isHidden() || root->alpha() < 0.01 || !root->isUserInteractionEnabled()) {
        return nullptr;
    }
    CGRect bounds = root->bounds();
    if (!bounds.containsPoint(point)) {
        return nullptr;
    }
    const auto& subviews = root->subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        const auto& sub = *it;
        CGPoint inner{point.x - sub->frame().origin.x + sub->bounds().origin.x, point.y - sub->frame().origin.y + sub->bounds().origin.y};
        if (auto hit = hitTest(sub, inner)) {
            return hit;
        }
    }
    return root;
}

CGPoint TouchRouter::convertToView(const UIView& root, const UIView& view, CGPoint point)
{
    std::vector<const UIView*> chain;
    for (const UIView* v = &view; v && v != &root; v = v->superview().get()) {
        chain.push_back(v);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        point.x += (*it)->bounds().origin.x - (*it)->frame().origin.x;
        point.y += (*it)->bounds().origin.y - (*it)->frame().origin.y;
    }
    return point;
}

bool TouchRouter::press(CGPoint point)
{
    start_ = last_ = point;
    dragging_ = false;
    pressedControl_.reset();
    scrollView_.reset();
    pressedView_.reset();
    if (topDialog(*window_)) {
        return false;
    }
    if (tracker_.began(window_, point)) {
        return true;
    }
    pressedView_ = hitTest(window_, point);
    pressedControl_ = uikit::nearestOfClass<UIControl>(pressedView_);
    if (pressedControl_ && !pressedControl_->isEnabled()) {
        pressedControl_.reset();
    }
    if (pressedControl_) {
        pressedControl_->setHighlighted(true);
        return true;
    }
    return false;
}

bool TouchRouter::move(CGPoint point)
{
    if (tracker_.moved(point)) {
        // A swipe decided only now takes the touch from the control and the scroll view.
        if (pressedControl_) {
            pressedControl_->setHighlighted(false);
        }
        pressedView_.reset();
        pressedControl_.reset();
        scrollView_.reset();
        last_ = point;
        return true;
    }
    if (!pressedView_) {
        return false;
    }
    if (!dragging_ && std::hypot(point.x - start_.x, point.y - start_.y) > tapSlop) {
        dragging_ = true;
        if (pressedControl_) {
            pressedControl_->setHighlighted(false);
        }
        // The direction the finger has gone so far picks which scroll view follows it.
        scrollView_ = scrollViewFor(pressedView_, point.x - start_.x, point.y - start_.y);
    }
    bool changed = dragging_ && scrollView_;
    if (changed) {
        scrollBy(*scrollView_, last_.x - point.x, last_.y - point.y);
    }
    last_ = point;
    return changed || dragging_;
}

bool TouchRouter::release(CGPoint point)
{
    if (tracker_.isTracking()) {
        tracker_.ended(point);
        return true;
    }
    tracker_.cancelled();
    if (releaseOnDialog(point)) {
        return true;
    }
    auto view = std::move(pressedView_);
    auto control = std::move(pressedControl_);
    scrollView_.reset();
    if (!view || dragging_) {
        return dragging_;
    }
    if (control) {
        control->setHighlighted(false);
        CGPoint inside = convertToView(*window_, *control, point);
        if (control->bounds().containsPoint(inside)) {
            control->tap();
        }
        return true;
    }
    // A tap on no control leaves the editing where it is, as on the phone: the calculate page's
    // keypad types into the field that last began editing, and a click between its keys must not
    // silently take that field away. Only another field, or the app itself, moves the editing.
    if (auto cell = uikit::nearestOfClass<UITableViewCell>(view)) {
        if (auto table = std::dynamic_pointer_cast<UITableView>(cell->superview())) {
            if (auto indexPath = table->indexPathForCell(cell)) {
                table->userDidTapRow(*indexPath);
            }
        }
    } else if (auto item = uikit::nearestOfClass<UICollectionViewCell>(view)) {
        if (auto collection = std::dynamic_pointer_cast<UICollectionView>(item->superview())) {
            for (const auto& indexPath : collection->indexPathsForVisibleItems()) {
                if (collection->cellForItemAtIndexPath(indexPath) == item) {
                    collection->userDidTapItem(indexPath);
                    break;
                }
            }
        }
    }
    return true;
}

bool TouchRouter::releaseOnDialog(CGPoint point)
{
    auto dialog = topDialog(*window_);
    if (!dialog) {
        return false;
    }
    pressedView_.reset();
    // Laid out in the dialog view's own coordinates, as it is drawn.
    auto view = dialog->view();
    CGSize size = view->bounds().size;
    CGPoint local = window_->convertPointToView(point, view.get());
    if (auto alert = std::dynamic_pointer_cast<UIAlertController>(dialog)) {
        DialogLayout layout = alertLayout(*alert, size);
        if (const DialogButton* button = dialogButtonAt(layout, local); button && button->enabled) {
            alert->userDidTapAction(alert->actions().at(button->index));
        }
        return true;
    }
    auto sheet = std::static_pointer_cast<UIActivityViewController>(dialog);
    // On a pad the sheet is a popover, which a tap outside it dismisses.
    if (auto popover = sheet->popoverPresentationController();
        popover && popover->containerView() && !popover->containerView()->frame().containsPoint(point)) {
        popover->dismissFromOutside();
        return true;
    }
    DialogLayout layout = shareSheetLayout(*sheet, size, isInPopover(*view));
    if (dialogButtonAt(layout, local)) {
        const ShareOutcome* outcome = ShareSheetSaver::outcomeFor(*sheet);
        bool saved = outcome && outcome->saved;
        sheet->dismissViewControllerAnimated(true, [sheet, saved] {
            if (const auto& handler = sheet->completionWithItemsHandler()) {
                handler(saved ? std::optional<std::string>(ShareSheetSaver::activityType) : std::nullopt, saved);
            }
        });
    }
    return true;
}

bool TouchRouter::wheel(CGPoint point, double dx, double dy)
{
    if (topDialog(*window_)) {
        return false;
    }
    auto scrollView = scrollViewFor(hitTest(window_, point), dx, dy);
    if (!scrollView) {
        return false;
    }
    scrollBy(*scrollView, -dx * pointsPerWheelStep, -dy * pointsPerWheelStep);
    return true;
}

bool TouchRouter::zoom(CGPoint point, double steps)
{
    if (topDialog(*window_) || !std::isfinite(steps)) {
        return false;
    }
    auto scrollView = uikit::nearestOfClass<UIScrollView>(hitTest(window_, point));
    for (; scrollView; scrollView = uikit::nearestOfClass<UIScrollView>(scrollView->superview())) {
        auto delegate = scrollView->delegate();
        if (delegate && delegate->viewForZoomingInScrollView(scrollView)) {
            break;
        }
    }
    if (!scrollView) {
        return false;
    }
    CGPoint underPointer = convertToView(*window_, *scrollView, point);
    CGFloat before = scrollView->zoomScale();
    scrollView->setZoomScale(before * std::pow(zoomPerWheelStep, steps));
    CGFloat ratio = scrollView->zoomScale() / before;
    // The content point under the pointer moved to ratio times where it was; scroll it back.
    scrollBy(*scrollView, underPointer.x * (ratio - 1), underPointer.y * (ratio - 1));
    return ratio != 1;
}

void TouchRouter::scrollBy(UIScrollView& scrollView, double dx, double dy)
{
    CGPoint offset = scrollView.contentOffset();
    CGPoint limit = scrollView.maximumContentOffset();
    UIEdgeInsets inset = scrollView.contentInset();
    offset.x = std::clamp(offset.x + dx, -inset.left, std::max(-inset.left, limit.x));
    offset.y = std::clamp(offset.y + dy, -inset.top, std::max(-inset.top, limit.y));
    scrollView.setContentOffset(offset);
}

} // namespace render
