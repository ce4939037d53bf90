#include "platform/uikit/TouchTracker.hpp"

#include <cmath>
#include <utility>

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"

namespace uikit {
namespace {

// The table in the window whose row shows its Delete button.
std::shared_ptr<UITableView> tableShowingDeleteConfirmation(const std::shared_ptr<UIView>& view)
{
    if (auto table = std::dynamic_pointer_cast<UITableView>(view); table && table->indexPathForRowShowingDeleteConfirmation()) {
        return table;
    }
    for (const auto& subview : view->subviews()) {
        if (auto table = tableShowingDeleteConfirmation(subview)) {
            return table;
        }
    }
    return nullptr;
}

} // namespace

void TouchTracker::reset()
{
    kind_ = Kind::None;
    touch_.reset();
    tracker_.reset();
    undecidedHit_.reset();
    table_.reset();
    startWidth_ = 0;
}

CGFloat TouchTracker::contentY(CGPoint point) const
{
    return window_->convertPointToView(point, table_.get()).y;
}

bool TouchTracker::began(const std::shared_ptr<UIWindow>& window, CGPoint point)
{
    reset();
    window_ = window;
    start_ = point;
    if (!window || !std::isfinite(point.x) || !std::isfinite(point.y)) {
        return false;
    }
    auto hit = window->hitTest(point);
    if (!hit) {
        return false;
    }
    touch_ = std::make_shared<UITouch>(window, hit, point);
    if (auto table = tableShowingDeleteConfirmation(window)) {
        auto row = *table->indexPathForRowShowingDeleteConfirmation();
        auto cell = table->cellForRowAtIndexPath(row);
        auto button = cell ? cell->deleteConfirmationButton() : nullptr;
        if (button && hit->isDescendantOfView(button.get())) {
            return false; // the button's own tap
        }
        if (cell && hit->isDescendantOfView(cell.get())) {
            // A swipe back on the row hides the button, and so does a tap on it.
            table_ = table;
            row_ = row;
            startWidth_ = UITableViewCellDeleteConfirmationButton::width();
            kind_ = Kind::Swipe;
            return true;
        }
        table->hideDeleteConfirmation();
        kind_ = Kind::Swallowed;
        return true;
    }
    for (auto view = hit; view; view = view->superview()) {
        if (view->tracksTouches()) {
            tracker_ = view;
            kind_ = Kind::View;
            tracker_->touchesBegan({touch_});
            return true;
        }
    }
    auto touch = touch_;
    bool taken = beginOnRow(hit);
    if (!taken) {
        // Kept for a sideways drag, which the finger has yet to show.
        touch_ = touch;
        undecidedHit_ = hit;
    }
    return taken;
}

bool TouchTracker::beginOnRow(const std::shared_ptr<UIView>& hit)
{
    auto cell = nearestOfClass<UITableViewCell>(hit);
    auto table = cell ? std::dynamic_pointer_cast<UITableView>(cell->superview()) : nullptr;
    auto indexPath = table ? table->indexPathForCell(cell) : std::nullopt;
    if (!indexPath) {
        return false;
    }
    table_ = table;
    row_ = *indexPath;
    auto handle = cell->reorderControl();
    if (handle && !handle->isHidden() && hit->isDescendantOfView(handle.get())) {
        if (table->userDidBeginReorderingRow(row_, contentY(start_))) {
            kind_ = Kind::Reorder;
            return true;
        }
    }
    if (table->canSwipeToDeleteRowAtIndexPath(row_)) {
        kind_ = Kind::Undecided;
        return false;
    }
    reset();
    return false;
}

bool TouchTracker::moved(CGPoint point)
{
    if (!touch_ || !std::isfinite(point.x) || !std::isfinite(point.y)) {
        return isTracking();
    }
    touch_->moveTo(point, UITouchPhase::Moved);
    CGFloat dx = point.x - start_.x;
    CGFloat dy = point.y - start_.y;
    switch (kind_) {
    case Kind::View: tracker_->touchesMoved({touch_}); break;
    case Kind::Reorder: table_->userDidMoveReorderingRow(contentY(point)); break;
    case Kind::Undecided:
        if (std::hypot(dx, dy) > tapSlop) {
            // Mostly up or down is the table's scroll, not a swipe.
            kind_ = std::abs(dx) > std::abs(dy) ? Kind::Swipe : Kind::None;
            if (kind_ == Kind::Swipe) {
                undecidedHit_.reset();
                table_->userDidSwipeRow(row_, dx);
            }
        }
        break;
    case Kind::Swipe:
        if (startWidth_ == 0 || std::hypot(dx, dy) > tapSlop) {
            table_->userDidSwipeRow(row_, dx - startWidth_);
        }
        break;
    case Kind::None:
    case Kind::Swallowed: break;
    }
    if (undecidedHit_ && kind_ == Kind::None && std::hypot(dx, dy) > tapSlop) {
        if (std::abs(dx) <= std::abs(dy) || !handOverSideways(point)) {
            undecidedHit_.reset();
        }
    }
    return isTracking();
}

bool TouchTracker::handOverSideways(CGPoint point)
{
    auto hit = std::exchange(undecidedHit_, nullptr);
    for (auto view = hit; view; view = view->superview()) {
        if (view->takeSidewaysDrag(hit)) {
            tracker_ = view;
            kind_ = Kind::View;
            touch_ = std::make_shared<UITouch>(window_, view, start_);
            tracker_->touchesBegan({touch_});
            touch_->moveTo(point, UITouchPhase::Moved);
            tracker_->touchesMoved({touch_});
            return true;
        }
    }
    return false;
}

bool TouchTracker::ended(CGPoint point)
{
    if (touch_ && std::isfinite(point.x) && std::isfinite(point.y)) {
        touch_->moveTo(point, UITouchPhase::Ended);
    }
    bool tracking = isTracking();
    CGFloat dx = touch_ ? point.x - start_.x : 0;
    switch (kind_) {
    case Kind::View: tracker_->touchesEnded({touch_}); break;
    case Kind::Reorder: table_->userDidEndReordering(); break;
    case Kind::Swipe:
        if (startWidth_ > 0 && std::hypot(dx, point.y - start_.y) <= tapSlop) {
            table_->hideDeleteConfirmation();
        } else {
            table_->userDidEndSwipingRow(row_, dx - startWidth_);
        }
        break;
    case Kind::None:
    case Kind::Undecided:
    case Kind::Swallowed: break;
    }
    reset();
    return tracking;
}

void TouchTracker::cancelled()
{
    if (touch_) {
        touch_->moveTo(touch_->locationInView(nullptr), UITouchPhase::Cancelled);
    }
    switch (kind_) {
    case Kind::View: tracker_->touchesCancelled({touch_}); break;
    case Kind::Reorder: table_->userDidCancelReordering(); break;
    case Kind::Swipe:
        if (startWidth_ == 0) {
            table_->hideDeleteConfirmation();
        } else {
            table_->showDeleteConfirmationForRowAtIndexPath(row_);
        }
        break;
    case Kind::None:
    case Kind::Undecided:
    case Kind::Swallowed: break;
    }
    reset();
}

} // namespace uikit
