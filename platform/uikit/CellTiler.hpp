#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/ReusableCellPool.hpp"
#include "platform/uikit/UIView.hpp"

// What CellTiler does alike for every cell class, compiled once rather than per view.
class CellTilerBase {
public:
    // Runs `pass`, again while a data-source call inside it tiled anew (it reloaded, so what the
    // pass worked from is stale). A call made during a pass only marks it for another round.
    void tile(const std::function<void()>& pass);

    // Runs `pass` for a layout of the view. A layout asked for while a pass runs comes from the
    // pass itself (a cell joining marks the view for layout, and the cell's own layout then lays
    // out the view): nothing the pass works from changed, so it neither runs nor takes a round.
    void layOut(const std::function<void()>& pass);

protected:
    bool contentChangedDuringPass() const { return retile_; }
    void reportMissingCell(const NSIndexPath& indexPath) const;

    CellTilerBase(std::string viewClass, std::string element) : viewClass_(std::move(viewClass)), element_(std::move(element)) {}

private:
    std::string viewClass_;
    std::string element_;
    bool tiling_ = false;
    bool retile_ = false;
};

// Gives cells to the index paths a list view shows and takes them back from the others, so a
// table and a collection differ only in where their items lie and what they say to their
// delegates.
template <class Cell>
class CellTiler : public CellTilerBase {
public:
    struct Wanted {
        NSIndexPath indexPath;
        CGRect frame;
    };

    // `element` is what the view calls one of its index paths ("row", "item"), for messages.
    // `willRecycle` sees every cell after it leaves the view and before it is kept for reuse.
    CellTiler(const std::string& viewClass, const std::string& cellClass, std::string element,
              std::function<void(Cell&)> willRecycle = {})
        : CellTilerBase(viewClass, std::move(element)), pool_(viewClass, cellClass), willRecycle_(std::move(willRecycle))
    {
    }

    ReusableCellPool<Cell>& pool() { return pool_; }
    const ReusableCellPool<Cell>& pool() const { return pool_; }

    const std::map<NSIndexPath, std::shared_ptr<Cell>>& visible() const { return visible_; }

    std::shared_ptr<Cell> cellAt(const NSIndexPath& indexPath) const
    {
        auto it = visible_.find(indexPath);
        return it == visible_.end() ? nullptr : it->second;
    }

    std::vector<std::shared_ptr<Cell>> cells() const
    {
        std::vector<std::shared_ptr<Cell>> cells;
        for (const auto& [indexPath, cell] : visible_) {
            cells.push_back(cell);
        }
        return cells;
    }

    std::vector<NSIndexPath> indexPaths() const
    {
        std::vector<NSIndexPath> paths;
        for (const auto& [indexPath, cell] : visible_) {
            paths.push_back(indexPath);
        }
        return paths;
    }

    std::optional<NSIndexPath> indexPathOf(const std::shared_ptr<Cell>& cell) const
    {
        for (const auto& [indexPath, visibleCell] : visible_) {
            if (visibleCell == cell) {
                return indexPath;
            }
        }
        return std::nullopt;
    }

    void recycle(const std::shared_ptr<Cell>& cell)
    {
        cell->removeFromSuperview();
        if (willRecycle_) {
            willRecycle_(*cell);
        }
        pool_.enqueue(cell);
    }

    void recycleAt(const NSIndexPath& indexPath)
    {
        if (auto it = visible_.find(indexPath); it != visible_.end()) {
            auto cell = std::move(it->second);
            visible_.erase(it);
            recycle(cell);
        }
    }

    void recycleAll()
    {
        auto cells = std::move(visible_);
        visible_.clear();
        for (auto& [indexPath, cell] : cells) {
            recycle(cell);
        }
    }

    // Moves each visible cell to the index path `moved` gives it; a cell given none is recycled.
    template <class Moved>
    void reindex(Moved moved)
    {
        std::map<NSIndexPath, std::shared_ptr<Cell>> kept;
        for (auto& [indexPath, cell] : visible_) {
            if (auto to = moved(indexPath)) {
                kept[*to] = cell;
            } else {
                recycle(cell);
            }
        }
        visible_ = std::move(kept);
    }

    // One tiling pass: recycles the cells of index paths no longer wanted, moves the others to
    // their frames and asks `ask` for the missing ones in order. `prepare` readies a new cell
    // before it joins `host`, `show` after. Without a data source (`canAsk` false) the pass
    // stops at the first missing cell. Returns false when a data-source call changed the
    // content, so the pass stopped and the caller should leave the rest to the next round.
    template <class Ask, class Prepare, class Show>
    bool fill(UIView& host, const std::vector<Wanted>& wanted, bool canAsk, Ask ask, Prepare prepare, Show show)
    {
        std::set<NSIndexPath> wantedSet;
        for (const auto& w : wanted) {
            wantedSet.insert(w.indexPath);
        }
        for (auto it = visible_.begin(); it != visible_.end();) {
            if (!wantedSet.count(it->first)) {
                auto cell = it->second;
                it = visible_.erase(it);
                recycle(cell);
            } else {
                ++it;
            }
        }
        for (const auto& [indexPath, frame] : wanted) {
            if (auto existing = visible_.find(indexPath); existing != visible_.end()) {
                existing->second->setFrame(frame);
                continue;
            }
            if (!canAsk) {
                break;
            }
            std::shared_ptr<Cell> cell = ask(indexPath);
            if (contentChangedDuringPass()) {
                // The cell was made for the content as it was before the call changed it.
                if (cell) {
                    recycle(cell);
                }
                return false;
            }
            if (!cell) {
                reportMissingCell(indexPath);
                continue;
            }
            cell->setFrame(frame);
            prepare(*cell, indexPath);
            visible_[indexPath] = cell;
            host.addSubview(cell);
            show(cell, indexPath);
            if (contentChangedDuringPass()) {
                return false;
            }
        }
        return true;
    }

private:
    ReusableCellPool<Cell> pool_;
    std::function<void(Cell&)> willRecycle_;
    std::map<NSIndexPath, std::shared_ptr<Cell>> visible_;
};
