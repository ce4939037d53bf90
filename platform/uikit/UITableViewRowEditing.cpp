// The table's row editing by touch: swipe to delete, the delete confirmation, and reordering.
#include <algorithm>
#include <cmath>

#include "platform/uikit/UITableView.hpp"

namespace {

// Let go past this share of the Delete button's width, a swipe leaves it revealed.
constexpr CGFloat revealShare = 0.5;
// A swipe may pull the button out a little further than its width, then it springs back.
constexpr CGFloat overpull = 1.5;

} // namespace

void UITableView::prepareEditingControls(UITableViewCell& cell, const NSIndexPath& indexPath)
{
    auto source = dataSource();
    auto self = as<UITableView>();
    UITableViewCellEditingStyle style = UITableViewCellEditingStyle::None;
    if (source && source->tableViewCanEditRowAtIndexPath(self, indexPath)) {
        auto d = tableDelegate();
        style = d ? d->tableViewEditingStyleForRowAtIndexPath(self, indexPath) : UITableViewCellEditingStyle::Delete;
    }
    bool movable = source && source->tableViewCanMoveRowAtIndexPath(self, indexPath);
    cell.setEditingControls(style, movable);
    cell.setDeleteConfirmationWidth(confirming_ == indexPath ? confirmingWidth_ : 0);
}

bool UITableView::canSwipeToDeleteRowAtIndexPath(const NSIndexPath& indexPath)
{
    ensureLoaded();
    auto source = dataSource();
    if (editing_ || reordering_ || !source || !isValidIndexPath(indexPath)) {
        return false;
    }
    auto self = as<UITableView>();
    if (!source->tableViewCanEditRowAtIndexPath(self, indexPath)) {
        return false;
    }
    auto d = tableDelegate();
    return !d || d->tableViewEditingStyleForRowAtIndexPath(self, indexPath) == UITableViewCellEditingStyle::Delete;
}

void UITableView::userDidSwipeRow(const NSIndexPath& indexPath, CGFloat translation)
{
    bool swipable = canSwipeToDeleteRowAtIndexPath(indexPath) || (confirming_ == indexPath);
    if (!swipable || !std::isfinite(translation)) {
        return;
    }
    if (confirming_ && confirming_ != indexPath) {
        hideDeleteConfirmation();
    }
    confirming_ = indexPath;
    confirmingWidth_ = std::clamp<CGFloat>(-translation, 0, UITableViewCellDeleteConfirmationButton::width() * overpull);
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        cell->setDeleteConfirmationWidth(confirmingWidth_);
    }
}

void UITableView::userDidEndSwipingRow(const NSIndexPath& indexPath, CGFloat translation)
{
    userDidSwipeRow(indexPath, translation);
    if (confirming_ != indexPath) {
        return;
    }
    if (confirmingWidth_ >= UITableViewCellDeleteConfirmationButton::width() * revealShare) {
        showDeleteConfirmationForRowAtIndexPath(indexPath);
    } else {
        hideDeleteConfirmation();
    }
}

bool UITableView::showDeleteConfirmationForRowAtIndexPath(const NSIndexPath& indexPath)
{
    ensureLoaded();
    auto source = dataSource();
    if (!source || !isValidIndexPath(indexPath) || reordering_ || !source->tableViewCanEditRowAtIndexPath(as<UITableView>(), indexPath)) {
        return false;
    }
    if (confirming_ && confirming_ != indexPath) {
        hideDeleteConfirmation();
    }
    confirming_ = indexPath;
    confirmingWidth_ = UITableViewCellDeleteConfirmationButton::width();
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        cell->setDeleteConfirmationWidth(confirmingWidth_);
    }
    return true;
}

void UITableView::hideDeleteConfirmation()
{
    auto row = std::exchange(confirming_, std::nullopt);
    confirmingWidth_ = 0;
    if (row) {
        if (auto cell = cells_.cellAt(*row)) {
            cell->setDeleteConfirmationWidth(0);
        }
    }
}

std::optional<NSIndexPath> UITableView::indexPathForRowShowingDeleteConfirmation() const
{
    return confirmingWidth_ > 0 ? confirming_ : std::nullopt;
}

bool UITableView::userDidTapDeleteConfirmationForRowAtIndexPath(const NSIndexPath& indexPath)
{
    if (indexPathForRowShowingDeleteConfirmation() != indexPath) {
        return false;
    }
    // Hidden first: committing usually deletes the row, and its cell goes back to the pool.
    hideDeleteConfirmation();
    return userDidCommitEditingStyle(UITableViewCellEditingStyle::Delete, indexPath);
}

std::vector<CGFloat> UITableView::rowHeightsInSection(int64_t section) const
{
    std::vector<CGFloat> heights;
    if (section < 0 || section >= static_cast<int64_t>(sections_.size())) {
        return heights;
    }
    const auto& tops = sections_[static_cast<size_t>(section)].rowTops;
    for (size_t row = 0; row + 1 < tops.size(); ++row) {
        heights.push_back(tops[row + 1] - tops[row]);
    }
    return heights;
}

bool UITableView::userDidBeginReorderingRow(const NSIndexPath& indexPath, CGFloat y)
{
    ensureLoaded();
    auto source = dataSource();
    if (!editing_ || reordering_ || !source || !std::isfinite(y) || !isValidIndexPath(indexPath) ||
        !source->tableViewCanMoveRowAtIndexPath(as<UITableView>(), indexPath)) {
        return false;
    }
    auto cell = cellForRowAtIndexPath(indexPath);
    if (!cell) {
        return false;
    }
    hideDeleteConfirmation();
    CGFloat top = rectForRowAtIndexPath(indexPath).minY();
    auto layer = cell->layer();
    reordering_ = Reordering{indexPath, indexPath, y - top, top, cell, cell->backgroundColor(), layer->shadowColor(), layer->shadowOpacity(),
                             layer->shadowOffset(), layer->shadowRadius()};
    // Lifted: opaque over the rows it passes, with a soft shadow.
    if (!cell->backgroundColor() || cell->backgroundColor()->cgColor().alpha < 1) {
        cell->setBackgroundColor(backgroundColor().value_or(UIColor::systemBackgroundColor()));
    }
    layer->setShadowColor(CGColor{0, 0, 0, 1});
    layer->setShadowOpacity(0.25f);
    layer->setShadowOffset({0, 2});
    layer->setShadowRadius(6);
    bringSubviewToFront(cell);
    return true;
}

std::optional<UITableView::Reordering> UITableView::dropReordering()
{
    auto done = std::exchange(reordering_, std::nullopt);
    if (done && done->cell) {
        done->cell->setBackgroundColor(done->background);
        auto layer = done->cell->layer();
        layer->setShadowColor(done->shadowColor);
        layer->setShadowOpacity(done->shadowOpacity);
        layer->setShadowOffset(done->shadowOffset);
        layer->setShadowRadius(done->shadowRadius);
    }
    return done;
}

void UITableView::userDidMoveReorderingRow(CGFloat y)
{
    if (!reordering_ || !std::isfinite(y)) {
        return;
    }
    NSIndexPath from = reordering_->from;
    auto heights = rowHeightsInSection(from.section);
    const auto& tops = sections_[static_cast<size_t>(from.section)].rowTops;
    CGFloat height = heights[static_cast<size_t>(from.row)];
    // The row stays within its section's rows.
    CGFloat top = std::clamp(y - reordering_->grab, tops.front(), std::max(tops.front(), tops.back() - height));
    // Its middle reaching the middle of a row (where that row stood) puts it on the other side,
    // so held against either end of the section it lands there.
    CGFloat centre = top + height / 2;
    int64_t destination = from.row;
    for (size_t row = 0; row < heights.size(); ++row) {
        CGFloat middle = tops[row] + heights[row] / 2;
        auto r = static_cast<int64_t>(row);
        if (r < from.row && centre <= middle) {
            --destination;
        } else if (r > from.row && centre >= middle) {
            ++destination;
        }
    }
    reordering_->top = top;
    reordering_->to = {from.section, destination};
    applyRowEditingLayout();
}

void UITableView::userDidEndReordering()
{
    auto done = dropReordering();
    if (!done) {
        return;
    }
    if (done->from != done->to) {
        userDidMoveRow(done->from, done->to);
    } else {
        tile();
    }
}

void UITableView::userDidCancelReordering()
{
    if (dropReordering()) {
        tile();
    }
}

std::optional<NSIndexPath> UITableView::reorderDestination() const
{
    return reordering_ ? std::optional<NSIndexPath>(reordering_->to) : std::nullopt;
}

// While a row is dragged, the rows of its section stand in the order they would have if it were
// let go now, and the dragged row is where the finger holds it.
void UITableView::applyRowEditingLayout()
{
    if (!reordering_) {
        return;
    }
    const Reordering& r = *reordering_;
    auto heights = rowHeightsInSection(r.from.section);
    if (heights.empty()) {
        return;
    }
    std::vector<int64_t> order;
    for (int64_t row = 0; row < static_cast<int64_t>(heights.size()); ++row) {
        if (row != r.from.row) {
            order.push_back(row);
        }
    }
    order.insert(order.begin() + std::clamp<int64_t>(r.to.row, 0, static_cast<int64_t>(order.size())), r.from.row);
    CGFloat top = sections_[static_cast<size_t>(r.from.section)].rowTops.front();
    CGFloat width = frame().size.width;
    for (int64_t row : order) {
        CGFloat height = heights[static_cast<size_t>(row)];
        if (auto cell = cells_.cellAt({r.from.section, row})) {
            cell->setFrame({0, row == r.from.row ? r.top : top, width, height});
        }
        top += height;
    }
    if (auto dragged = cells_.cellAt(r.from)) {
        bringSubviewToFront(dragged);
    }
}
