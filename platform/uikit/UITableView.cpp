#include "platform/uikit/UITableView.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <set>

#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UINib.hpp"

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

UITableView::UITableView(const CGRect& frame, UITableViewStyle style) : UIScrollView(frame), style_(style) {}

void UITableView::setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate)
{
    tableDelegate_ = delegate;
    UIScrollView::setDelegate(delegate);
}

void UITableView::registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier)
{
    if (!nib) {
        std::cerr << "UITableView: no nib to register for \"" << identifier << "\"\n";
        return;
    }
    registerCellFactory(identifier, [nib, identifier] {
        auto objects = nib->instantiateWithOwner(nullptr);
        auto cell = objects.empty() ? nullptr : std::dynamic_pointer_cast<UITableViewCell>(objects.front());
        if (objects.size() != 1 || !cell) {
            uikit::fatalError("invalid nib registered for identifier (" + identifier +
                              ") - nib must contain exactly one top level object which must be a UITableViewCell instance");
        }
        return cell;
    });
}

void UITableView::registerCellFactory(const std::string& identifier, CellFactory factory)
{
    factories_[identifier] = std::move(factory);
    awakensFromNib_[identifier] = false;
}

void UITableView::registerPrototype(const std::string& identifier, CellFactory factory)
{
    factories_[identifier] = std::move(factory);
    awakensFromNib_[identifier] = true;
}

std::shared_ptr<UITableViewCell> UITableView::makeCell(const std::string& identifier)
{
    auto pool = reusePool_.find(identifier);
    if (pool != reusePool_.end() && !pool->second.empty()) {
        auto cell = pool->second.back();
        pool->second.pop_back();
        cell->prepareForReuse();
        return cell;
    }
    auto factory = factories_.find(identifier);
    if (factory == factories_.end() || !factory->second) {
        return nullptr;
    }
    auto cell = factory->second();
    if (!cell) {
        return nullptr;
    }
    cell->setReuseIdentifier(identifier);
    if (awakensFromNib_[identifier]) {
        awakeFromNibRecursively(cell);
    }
    return cell;
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier)
{
    return makeCell(identifier);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier, const NSIndexPath& indexPath)
{
    auto cell = makeCell(identifier);
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
    recycleAllCells();
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

void UITableView::enqueue(const std::shared_ptr<UITableViewCell>& cell)
{
    cell->removeFromSuperview();
    cell->setSelected(false, false);
    if (cell->reuseIdentifier()) {
        reusePool_[*cell->reuseIdentifier()].push_back(cell);
    }
}

void UITableView::recycleAllCells()
{
    auto cells = std::move(visible_);
    visible_.clear();
    for (auto& [indexPath, cell] : cells) {
        enqueue(cell);
    }
}

size_t UITableView::numberOfReusableCells() const
{
    size_t n = 0;
    for (const auto& [identifier, cells] : reusePool_) {
        n += cells.size();
    }
    return n;
}

void UITableView::tile()
{
    if (!loaded_) {
        return;
    }
    if (tiling_) {
        // A data-source call inside the pass changed the content; the running pass starts over.
        retile_ = true;
        return;
    }
    tiling_ = true;
    // A data source that reloads from every cell request would never settle; a few rounds do.
    for (int round = 0; round < 8; ++round) {
        retile_ = false;
        tileOnce();
        if (!retile_) {
            break;
        }
    }
    tiling_ = false;
}

void UITableView::tileOnce()
{
    auto self = as<UITableView>();
    CGRect visible = bounds();
    CGFloat width = frame().size.width;

    std::vector<NSIndexPath> wanted;
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
                if (tops[static_cast<size_t>(row) + 1] > tops[static_cast<size_t>(row)]) {
                    wanted.push_back({static_cast<int64_t>(s), static_cast<int64_t>(row)});
                }
            }
        }
    }

    std::set<NSIndexPath> wantedSet(wanted.begin(), wanted.end());
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (!wantedSet.count(it->first)) {
            auto cell = it->second;
            it = visible_.erase(it);
            enqueue(cell);
        } else {
            ++it;
        }
    }

    auto source = dataSource();
    auto d = tableDelegate();
    for (const auto& indexPath : wanted) {
        const Section& section = sections_[static_cast<size_t>(indexPath.section)];
        auto row = static_cast<size_t>(indexPath.row);
        CGRect rowFrame{0, section.rowTops[row], width, section.rowTops[row + 1] - section.rowTops[row]};
        auto existing = visible_.find(indexPath);
        if (existing != visible_.end()) {
            existing->second->setFrame(rowFrame);
            continue;
        }
        if (!source) {
            break;
        }
        auto cell = source->tableViewCellForRowAtIndexPath(self, indexPath);
        if (retile_) {
            // The content changed under this request; the cell belongs to the old content.
            if (cell) {
                enqueue(cell);
            }
            return;
        }
        if (!cell) {
            std::cerr << "UITableView: the data source returned no cell for row " << indexPath.description() << "\n";
            continue;
        }
        cell->setFrame(rowFrame);
        cell->setEditing(editing_, false);
        cell->setSelected(selected_ == indexPath, false);
        visible_[indexPath] = cell;
        addSubview(cell);
        cell->setNeedsLayout();
        cell->layoutIfNeeded();
        if (d) {
            d->tableViewWillDisplayCell(self, cell, indexPath);
        }
        if (retile_) {
            return;
        }
    }
    placeSupplementaryViews(visible);
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
        recycleAllCells();
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
        recycleAllCells();
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
    auto it = visible_.find(indexPath);
    return it == visible_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() const
{
    std::vector<std::shared_ptr<UITableViewCell>> cells;
    for (const auto& [indexPath, cell] : visible_) {
        cells.push_back(cell);
    }
    return cells;
}

std::vector<NSIndexPath> UITableView::indexPathsForVisibleRows() const
{
    std::vector<NSIndexPath> paths;
    for (const auto& [indexPath, cell] : visible_) {
        paths.push_back(indexPath);
    }
    return paths;
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const std::shared_ptr<UITableViewCell>& cell) const
{
    for (const auto& [indexPath, visibleCell] : visible_) {
        if (visibleCell == cell) {
            return indexPath;
        }
    }
    return std::nullopt;
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
    editing_ = editing;
    for (auto& [indexPath, cell] : visible_) {
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
        if (auto it = visible_.find(indexPath); it != visible_.end()) {
            auto cell = it->second;
            visible_.erase(it);
            enqueue(cell);
        }
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
    std::map<NSIndexPath, std::shared_ptr<UITableViewCell>> remaining;
    for (auto& entry : visible_) {
        const NSIndexPath& indexPath = entry.first;
        if (deleted.count(indexPath)) {
            enqueue(entry.second);
            continue;
        }
        auto shift = std::count_if(deleted.begin(), deleted.end(), [&indexPath](const NSIndexPath& d) {
            return d.section == indexPath.section && d.row < indexPath.row;
        });
        remaining[{indexPath.section, indexPath.row - shift}] = entry.second;
    }
    visible_ = std::move(remaining);
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
    recycleAllCells();
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
    tile();
}

void UITableView::contentOffsetDidChange()
{
    tile();
}
