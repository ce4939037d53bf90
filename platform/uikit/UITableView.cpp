#include "platform/uikit/UITableView.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <set>

#include "platform/uikit/FatalError.hpp"

namespace {

constexpr CGFloat defaultRowHeight = 44;
constexpr CGFloat titledHeaderHeight = 28;

CGFloat usableHeight(std::optional<CGFloat> height, CGFloat fallback)
{
    CGFloat h = height.value_or(fallback);
    return (std::isfinite(h) && h > 0) ? h : 0;
}

} // namespace

UITableView::UITableView() : UITableView(CGRectZero, UITableViewStyle::Plain) {}

UITableView::UITableView(const CGRect& frame, UITableViewStyle style)
    : UIScrollView(frame), style_(style),
      // A cell comes back out of the pool for another row, which may not be the selected one.
      cells_("UITableView", "UITableViewCell", "row", [](UITableViewCell& cell) {
          cell.setSelected(false, false);
          cell.setDeleteConfirmationWidth(0);
      })
{
}

void UITableView::setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate)
{
    tableDelegate_ = delegate;
    UIScrollView::setDelegate(delegate);
}

void UITableView::registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier)
{
    cells_.pool().registerNib(nib, identifier);
}

void UITableView::registerCellFactory(const std::string& identifier, CellFactory factory)
{
    cells_.pool().registerFactory(identifier, std::move(factory));
}

void UITableView::registerPrototype(const std::string& identifier, CellFactory factory)
{
    cells_.pool().registerFactory(identifier, std::move(factory), true);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier)
{
    return cells_.pool().dequeue(identifier);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier, const NSIndexPath& indexPath)
{
    auto cell = cells_.pool().dequeue(identifier);
    if (!cell) {
        uikit::fatalError("unable to dequeue a cell with identifier " + identifier +
                          " - must register a nib or a class for the identifier or connect a prototype cell in a storyboard");
    }
    CGRect row = rectForRowAtIndexPath(indexPath);
    CGFloat height = row.size.height > 0 ? row.size.height : (rowHeight_ >= 0 ? rowHeight_ : defaultRowHeight);
    cell->setFrame({0, cell->frame().origin.y, frame().size.width, height});
    return cell;
}

std::vector<int64_t> UITableView::askCounts()
{
    std::vector<int64_t> counts;
    auto source = dataSource();
    if (!source) {
        return counts;
    }
    auto self = as<UITableView>();
    int64_t sections = std::max<int64_t>(0, source->numberOfSectionsInTableView(self));
    countsInProgress_ = std::vector<int64_t>(static_cast<size_t>(sections), 0);
    for (int64_t s = 0; s < sections; ++s) {
        (*countsInProgress_)[static_cast<size_t>(s)] = std::max<int64_t>(0, source->tableViewNumberOfRowsInSection(self, s));
    }
    counts = std::move(*countsInProgress_);
    countsInProgress_.reset();
    return counts;
}

void UITableView::buildGeometry(const std::vector<int64_t>& counts)
{
    countsInProgress_ = counts;
    auto self = as<UITableView>();
    auto source = dataSource();
    auto d = tableDelegate();
    for (auto& old : sections_) {
        for (auto* v : {&old.headerView, &old.footerView}) {
            if (*v) {
                (*v)->removeFromSuperview();
            }
        }
    }
    sections_.clear();
    sections_.reserve(counts.size());
    CGFloat y = tableHeaderView_ ? tableHeaderView_->frame().size.height : 0;
    CGFloat fallbackRow = rowHeight_ >= 0 ? rowHeight_ : defaultRowHeight;
    for (size_t s = 0; s < counts.size(); ++s) {
        auto section = static_cast<int64_t>(s);
        Section geometry;
        geometry.top = y;
        if (d) {
            geometry.headerView = d->tableViewViewForHeaderInSection(self, section);
            geometry.footerView = d->tableViewViewForFooterInSection(self, section);
        }
        std::optional<CGFloat> headerHeight = d ? d->tableViewHeightForHeaderInSection(self, section) : std::nullopt;
        if (!headerHeight && geometry.headerView) {
            headerHeight = geometry.headerView->frame().size.height;
        }
        if (!headerHeight && source && source->tableViewTitleForHeaderInSection(self, section)) {
            headerHeight = titledHeaderHeight;
        }
        geometry.headerHeight = usableHeight(headerHeight, 0);
        y += geometry.headerHeight;
        geometry.rowTops.reserve(static_cast<size_t>(counts[s]) + 1);
        for (int64_t row = 0; row < counts[s]; ++row) {
            geometry.rowTops.push_back(y);
            y += usableHeight(d ? d->tableViewHeightForRowAtIndexPath(self, {section, row}) : std::nullopt, fallbackRow);
        }
        geometry.rowTops.push_back(y);
        std::optional<CGFloat> footerHeight = d ? d->tableViewHeightForFooterInSection(self, section) : std::nullopt;
        if (!footerHeight && geometry.footerView) {
            footerHeight = geometry.footerView->frame().size.height;
        }
        geometry.footerHeight = usableHeight(footerHeight, 0);
        y += geometry.footerHeight;
        sections_.push_back(std::move(geometry));
    }
    if (tableFooterView_) {
        CGRect f = tableFooterView_->frame();
        tableFooterView_->setFrame({0, y, frame().size.width, f.size.height});
        y += f.size.height;
    }
    setContentSize({frame().size.width, y});
    countsInProgress_.reset();
}

void UITableView::ensureLoaded()
{
    if (!loaded_) {
        reloadData();
    }
}

void UITableView::reloadData()
{
    loaded_ = true;
    confirming_.reset();
    dropReordering();
    cells_.recycleAll();
    buildGeometry(askCounts());
    if (selected_ && !isValidIndexPath(*selected_)) {
        selected_.reset();
    }
    tile();
}

int64_t UITableView::numberOfSections()
{
    if (countsInProgress_) {
        return static_cast<int64_t>(countsInProgress_->size());
    }
    ensureLoaded();
    return static_cast<int64_t>(sections_.size());
}

int64_t UITableView::numberOfRowsInSection(int64_t section)
{
    if (countsInProgress_) {
        bool known = section >= 0 && section < static_cast<int64_t>(countsInProgress_->size());
        return known ? (*countsInProgress_)[static_cast<size_t>(section)] : 0;
    }
    ensureLoaded();
    if (section < 0 || section >= static_cast<int64_t>(sections_.size())) {
        return 0;
    }
    return sections_[static_cast<size_t>(section)].rows();
}

bool UITableView::isValidIndexPath(const NSIndexPath& indexPath)
{
    return indexPath.row >= 0 && indexPath.row < numberOfRowsInSection(indexPath.section);
}

size_t UITableView::numberOfReusableCells() const
{
    return cells_.pool().size();
}

void UITableView::tile()
{
    if (loaded_) {
        cells_.tile([this] { tileOnce(); });
    }
}

void UITableView::tileOnce()
{
    CGRect visible = bounds();
    auto wanted = wantedRows(visible);
    auto self = as<UITableView>();
    auto source = dataSource();
    auto d = tableDelegate();
    bool finished = cells_.fill(
        *this, wanted, source != nullptr,
        [&](const NSIndexPath& indexPath) { return source->tableViewCellForRowAtIndexPath(self, indexPath); },
        [this](UITableViewCell& cell, const NSIndexPath& indexPath) {
            prepareEditingControls(cell, indexPath);
            cell.setEditing(editing_, false);
            cell.setSelected(selected_ == indexPath, false);
        },
        [&](const std::shared_ptr<UITableViewCell>& cell, const NSIndexPath& indexPath) {
            // A reused cell keeps its old layout unless told that its content changed.
            cell->setNeedsLayout();
            cell->layoutIfNeeded();
            if (d) {
                d->tableViewWillDisplayCell(self, cell, indexPath);
            }
        });
    if (finished) {
        placeSupplementaryViews(visible);
        applyRowEditingLayout();
    }
}

std::vector<CellTiler<UITableViewCell>::Wanted> UITableView::wantedRows(const CGRect& visible) const
{
    CGFloat width = frame().size.width;
    std::vector<CellTiler<UITableViewCell>::Wanted> wanted;
    if (visible.size.height > 0) {
        for (size_t s = 0; s < sections_.size(); ++s) {
            const Section& section = sections_[s];
            if (section.bottom() <= visible.minY() || section.top >= visible.maxY() || section.rows() == 0) {
                continue;
            }
            const auto& tops = section.rowTops;
            // First row whose bottom lies below the top edge, up to the first row starting at or past the bottom edge.
            auto first = std::upper_bound(tops.begin() + 1, tops.end(), visible.minY()) - 1 - tops.begin();
            auto last = std::lower_bound(tops.begin(), tops.end() - 1, visible.maxY()) - tops.begin();
            for (auto row = std::max<std::ptrdiff_t>(first, 0); row < last && row < section.rows(); ++row) {
                auto top = tops[static_cast<size_t>(row)];
                auto bottom = tops[static_cast<size_t>(row) + 1];
                if (bottom > top) {
                    wanted.push_back({{static_cast<int64_t>(s), static_cast<int64_t>(row)}, {0, top, width, bottom - top}});
                }
            }
        }
    }
    return wanted;
}

void UITableView::placeSupplementaryViews(const CGRect& visible)
{
    CGFloat width = frame().size.width;
    for (auto& section : sections_) {
        CGRect header{0, section.top, width, section.headerHeight};
        CGRect footer{0, section.rowTops.back(), width, section.footerHeight};
        for (auto [view, rect] : {std::pair{section.headerView, header}, std::pair{section.footerView, footer}}) {
            if (!view) {
                continue;
            }
            bool shown = rect.size.height > 0 && rect.maxY() > visible.minY() && rect.minY() < visible.maxY();
            if (shown) {
                view->setFrame(rect);
                if (view->superview().get() != this) {
                    addSubview(view);
                }
            } else if (view->superview().get() == this) {
                view->removeFromSuperview();
            }
        }
    }
    if (tableHeaderView_) {
        CGRect f = tableHeaderView_->frame();
        tableHeaderView_->setFrame({0, 0, width, f.size.height});
    }
}

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view)
{
    if (tableHeaderView_) {
        tableHeaderView_->removeFromSuperview();
    }
    tableHeaderView_ = std::move(view);
    if (tableHeaderView_) {
        addSubview(tableHeaderView_);
    }
    if (loaded_) {
        cells_.recycleAll();
        buildGeometry(askCounts());
        tile();
    }
}

void UITableView::setTableFooterView(std::shared_ptr<UIView> view)
{
    if (tableFooterView_) {
        tableFooterView_->removeFromSuperview();
    }
    tableFooterView_ = std::move(view);
    if (tableFooterView_) {
        addSubview(tableFooterView_);
    }
    if (loaded_) {
        cells_.recycleAll();
        buildGeometry(askCounts());
        tile();
    }
}

CGRect UITableView::rectForSection(int64_t section)
{
    ensureLoaded();
    if (section < 0 || section >= static_cast<int64_t>(sections_.size())) {
        return CGRectZero;
    }
    const Section& s = sections_[static_cast<size_t>(section)];
    return {0, s.top, frame().size.width, s.bottom() - s.top};
}

CGRect UITableView::rectForHeaderInSection(int64_t section)
{
    ensureLoaded();
    if (section < 0 || section >= static_cast<int64_t>(sections_.size())) {
        return CGRectZero;
    }
    const Section& s = sections_[static_cast<size_t>(section)];
    return {0, s.top, frame().size.width, s.headerHeight};
}

CGRect UITableView::rectForFooterInSection(int64_t section)
{
    ensureLoaded();
    if (section < 0 || section >= static_cast<int64_t>(sections_.size())) {
        return CGRectZero;
    }
    const Section& s = sections_[static_cast<size_t>(section)];
    return {0, s.rowTops.back(), frame().size.width, s.footerHeight};
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& indexPath)
{
    // Checked against the laid-out sections: during a reload the counts run ahead of them.
    ensureLoaded();
    if (indexPath.section < 0 || indexPath.section >= static_cast<int64_t>(sections_.size()) || indexPath.row < 0 ||
        indexPath.row >= sections_[static_cast<size_t>(indexPath.section)].rows()) {
        return CGRectZero;
    }
    const Section& s = sections_[static_cast<size_t>(indexPath.section)];
    auto row = static_cast<size_t>(indexPath.row);
    return {0, s.rowTops[row], frame().size.width, s.rowTops[row + 1] - s.rowTops[row]};
}

std::shared_ptr<UITableViewCell> UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath)
{
    ensureLoaded();
    return cells_.cellAt(indexPath);
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() const
{
    return cells_.cells();
}

std::vector<NSIndexPath> UITableView::indexPathsForVisibleRows() const
{
    return cells_.indexPaths();
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const std::shared_ptr<UITableViewCell>& cell) const
{
    return cells_.indexPathOf(cell);
}

std::shared_ptr<UIView> UITableView::headerViewForSection(int64_t section)
{
    ensureLoaded();
    if (section < 0 || section >= static_cast<int64_t>(sections_.size())) {
        return nullptr;
    }
    auto& view = sections_[static_cast<size_t>(section)].headerView;
    return view && view->superview().get() == this ? view : nullptr;
}

void UITableView::scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position, bool animated)
{
    ensureLoaded();
    if (!isValidIndexPath(indexPath)) {
        std::cerr << "UITableView: cannot scroll to row " << indexPath.description() << ", which the table does not have\n";
        return;
    }
    CGRect row = rectForRowAtIndexPath(indexPath);
    CGFloat height = frame().size.height;
    CGFloat y = contentOffset().y;
    switch (position) {
    case UITableViewScrollPosition::Top: y = row.minY(); break;
    case UITableViewScrollPosition::Middle: y = row.midY() - height / 2; break;
    case UITableViewScrollPosition::Bottom: y = row.maxY() - height; break;
    case UITableViewScrollPosition::None:
        if (row.minY() < y) {
            y = row.minY();
        } else if (row.maxY() > y + height) {
            y = row.maxY() - height;
        }
        break;
    }
    y = std::clamp(y, -contentInset().top, maximumContentOffset().y);
    setContentOffset({contentOffset().x, y}, animated);
    tile();
}

void UITableView::selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated, UITableViewScrollPosition position)
{
    if (selected_) {
        if (auto cell = cellForRowAtIndexPath(*selected_)) {
            cell->setSelected(false, animated);
        }
    }
    selected_.reset();
    if (!indexPath || !isValidIndexPath(*indexPath)) {
        return;
    }
    selected_ = indexPath;
    if (position != UITableViewScrollPosition::None) {
        scrollToRowAtIndexPath(*indexPath, position, animated);
    }
    if (auto cell = cellForRowAtIndexPath(*indexPath)) {
        cell->setSelected(true, animated);
    }
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated)
{
    if (selected_ != indexPath) {
        return;
    }
    selected_.reset();
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        cell->setSelected(false, animated);
    }
}

void UITableView::setEditing(bool editing, bool animated)
{
    if (editing != editing_) {
        hideDeleteConfirmation();
        userDidCancelReordering();
    }
    editing_ = editing;
    for (const auto& [indexPath, cell] : cells_.visible()) {
        cell->setEditing(editing, animated);
    }
}

void UITableView::reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths, UITableViewRowAnimation /*animation*/)
{
    ensureLoaded();
    std::vector<int64_t> counts;
    for (const auto& s : sections_) {
        counts.push_back(s.rows());
    }
    if (askCounts() != counts) {
        std::cerr << "UITableView: invalid update: the row counts changed without an insert or delete; reloading all rows\n";
        reloadData();
        return;
    }
    for (const auto& indexPath : indexPaths) {
        if (!isValidIndexPath(indexPath)) {
            std::cerr << "UITableView: cannot reload row " << indexPath.description() << ", which the table does not have\n";
            continue;
        }
        if (selected_ == indexPath) {
            selected_.reset();
        }
        cells_.recycleAt(indexPath);
    }
    buildGeometry(counts);
    tile();
}

void UITableView::deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths, UITableViewRowAnimation /*animation*/)
{
    ensureLoaded();
    std::set<NSIndexPath> deleted;
    for (const auto& indexPath : indexPaths) {
        if (!isValidIndexPath(indexPath)) {
            std::cerr << "UITableView: cannot delete row " << indexPath.description() << ", which the table does not have; reloading\n";
            reloadData();
            return;
        }
        deleted.insert(indexPath);
    }
    std::vector<int64_t> expected;
    for (const auto& s : sections_) {
        expected.push_back(s.rows());
    }
    for (const auto& indexPath : deleted) {
        --expected[static_cast<size_t>(indexPath.section)];
    }
    auto counts = askCounts();
    if (counts != expected) {
        std::cerr << "UITableView: invalid update: the number of rows after the update must equal the number before it minus the "
                     "deleted rows; reloading all rows\n";
        reloadData();
        return;
    }
    hideDeleteConfirmation();
    dropReordering();
    cells_.reindex([&deleted](const NSIndexPath& indexPath) -> std::optional<NSIndexPath> {
        if (deleted.count(indexPath)) {
            return std::nullopt;
        }
        auto shift = std::count_if(deleted.begin(), deleted.end(), [&indexPath](const NSIndexPath& d) {
            return d.section == indexPath.section && d.row < indexPath.row;
        });
        return NSIndexPath{indexPath.section, indexPath.row - shift};
    });
    if (selected_) {
        if (deleted.count(*selected_)) {
            selected_.reset();
        } else {
            auto shift = std::count_if(deleted.begin(), deleted.end(), [&](const NSIndexPath& d) {
                return d.section == selected_->section && d.row < selected_->row;
            });
            selected_->row -= shift;
        }
    }
    buildGeometry(counts);
    CGFloat maxY = std::max(-contentInset().top, maximumContentOffset().y);
    if (contentOffset().y > maxY) {
        setContentOffset({contentOffset().x, maxY});
    }
    tile();
}

bool UITableView::userDidTapRow(const NSIndexPath& indexPath)
{
    ensureLoaded();
    if (!isValidIndexPath(indexPath) || editing_) {
        return false;
    }
    selectRowAtIndexPath(indexPath, false, UITableViewScrollPosition::None);
    if (auto d = tableDelegate()) {
        d->tableViewDidSelectRowAtIndexPath(as<UITableView>(), indexPath);
    }
    return true;
}

bool UITableView::userDidCommitEditingStyle(UITableViewCellEditingStyle style, const NSIndexPath& indexPath)
{
    ensureLoaded();
    auto source = dataSource();
    if (!source || !isValidIndexPath(indexPath) || style == UITableViewCellEditingStyle::None) {
        return false;
    }
    auto self = as<UITableView>();
    if (!source->tableViewCanEditRowAtIndexPath(self, indexPath)) {
        return false;
    }
    auto d = tableDelegate();
    if (d && d->tableViewEditingStyleForRowAtIndexPath(self, indexPath) != style) {
        return false;
    }
    source->tableViewCommitEditingStyle(self, style, indexPath);
    return true;
}

bool UITableView::userDidMoveRow(const NSIndexPath& from, const NSIndexPath& to)
{
    ensureLoaded();
    auto source = dataSource();
    if (!source || !editing_ || !isValidIndexPath(from)) {
        return false;
    }
    auto self = as<UITableView>();
    if (!source->tableViewCanMoveRowAtIndexPath(self, from)) {
        return false;
    }
    bool sameSection = from.section == to.section;
    int64_t limit = numberOfRowsInSection(to.section) - (sameSection ? 1 : 0);
    if (to.section < 0 || to.section >= numberOfSections() || to.row < 0 || to.row > limit) {
        return false;
    }
    if (from == to) {
        return true;
    }
    // The table shows the row in its new place before the data source hears of it.
    std::vector<int64_t> counts;
    for (const auto& s : sections_) {
        counts.push_back(s.rows());
    }
    --counts[static_cast<size_t>(from.section)];
    ++counts[static_cast<size_t>(to.section)];
    confirming_.reset();
    dropReordering();
    cells_.recycleAll();
    buildGeometry(counts);
    if (selected_ == from) {
        selected_ = to;
    }
    source->tableViewMoveRowAtIndexPath(self, from, to);
    tile();
    return true;
}

void UITableView::setFrame(const CGRect& frame)
{
    bool widthChanged = frame.size.width != this->frame().size.width;
    UIScrollView::setFrame(frame);
    if (loaded_) {
        if (widthChanged) {
            setContentSize({frame.size.width, contentSize().height});
        }
        tile();
    }
}

void UITableView::layoutSubviews()
{
    ensureLoaded();
    cells_.layOut([this] { tileOnce(); });
}

void UITableView::contentOffsetDidChange()
{
    tile();
}
