#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CellTiler.hpp"
#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITableViewCell.hpp"

class UINib;
class UITableView;

// The questions a table asks about its content. Methods are named after the platform's
// selectors ("tableView:numberOfRowsInSection:" is tableViewNumberOfRowsInSection).
class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>& /*tableView*/) { return 1; }
    virtual int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int64_t section) = 0;
    virtual std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                                            const NSIndexPath& indexPath) = 0;
    virtual std::optional<std::string> tableViewTitleForHeaderInSection(const std::shared_ptr<UITableView>& /*tableView*/, int64_t /*section*/)
    {
        return std::nullopt;
    }
    // No row is editable unless the data source says so. The phone offers a swipe to delete
    // only to a data source that commits edits, which it can tell and we can't: without this, a
    // sideways drag on any list would pull out a Delete that does nothing.
    virtual bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/, const NSIndexPath& /*indexPath*/)
    {
        return false;
    }
    virtual bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/, const NSIndexPath& /*indexPath*/)
    {
        return false;
    }
    virtual void tableViewCommitEditingStyle(const std::shared_ptr<UITableView>& /*tableView*/, UITableViewCellEditingStyle /*style*/,
                                             const NSIndexPath& /*indexPath*/)
    {
    }
    virtual void tableViewMoveRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/, const NSIndexPath& /*from*/,
                                             const NSIndexPath& /*to*/)
    {
    }
};

// What a table tells its delegate and the layout it asks for. Answers of none mean "not
// implemented": the table then uses its own defaults.
class UITableViewDelegate : public UIScrollViewDelegate {
public:
    virtual std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/,
                                                                    const NSIndexPath& /*indexPath*/)
    {
        return std::nullopt;
    }
    virtual std::shared_ptr<UIView> tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>& /*tableView*/, int64_t /*section*/)
    {
        return nullptr;
    }
    virtual std::optional<CGFloat> tableViewHeightForHeaderInSection(const std::shared_ptr<UITableView>& /*tableView*/, int64_t /*section*/)
    {
        return std::nullopt;
    }
    virtual std::shared_ptr<UIView> tableViewViewForFooterInSection(const std::shared_ptr<UITableView>& /*tableView*/, int64_t /*section*/)
    {
        return nullptr;
    }
    virtual std::optional<CGFloat> tableViewHeightForFooterInSection(const std::shared_ptr<UITableView>& /*tableView*/, int64_t /*section*/)
    {
        return std::nullopt;
    }
    virtual void tableViewWillDisplayCell(const std::shared_ptr<UITableView>& /*tableView*/, const std::shared_ptr<UITableViewCell>& /*cell*/,
                                          const NSIndexPath& /*indexPath*/)
    {
    }
    virtual void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/, const NSIndexPath& /*indexPath*/) {}
    virtual UITableViewCellEditingStyle tableViewEditingStyleForRowAtIndexPath(const std::shared_ptr<UITableView>& /*tableView*/,
                                                                               const NSIndexPath& /*indexPath*/)
    {
        return UITableViewCellEditingStyle::Delete;
    }
};

enum class UITableViewStyle : int { Plain = 0, Grouped = 1, InsetGrouped = 2 };
enum class UITableViewScrollPosition : int { None = 0, Top = 1, Middle = 2, Bottom = 3 };
enum class UITableViewRowAnimation : int { Fade = 0, Right = 1, Left = 2, Top = 3, Bottom = 4, None = 5, Middle = 6, Automatic = 100 };
enum class UITableViewCellSeparatorStyle : int { None = 0, SingleLine = 1 };

inline constexpr CGFloat UITableViewAutomaticDimension = -1;

// A vertical list of rows in sections.
//
// Content: the counts are asked on reloadData (and on the first layout or count query when
// never loaded); numberOfSections and numberOfRowsInSection answer from that reload. While a
// reload asks its data source, they already answer with the new counts asked so far, as the
// platform's table does, so a data source may consult the table's own section count. Heights
// are asked for every row then: the delegate's, else rowHeight (44 for automatic). A section
// header is as high as the delegate says, else as the frame of the delegate's header view,
// else 28 with a data-source title, else 0; footers alike without the title rule.
//
// Cells: only the rows inside the visible bounds have cells (the data source is asked for them
// when they come into view, then willDisplayCell is sent); rows leaving the view go to a reuse
// pool per identifier. Cells are laid out at table width × row height. Dequeuing takes from
// the pool, else makes a cell from the storyboard prototype, registered class or registered
// nib for the identifier; the index-path variant makes unregistered identifiers a fatal error,
// the other returns none.
//
// Updates: reloadRows asks the reloaded rows again and clears their selection. deleteRows
// checks the data source's new counts against the old minus the deleted rows; a mismatch is
// reported on standard error and the table reloads, so its state always follows the data
// source.
//
// Editing by touch: in editing mode each row the data source can edit shows the delete
// control, and each row it can move the reorder control (see UITableViewCell). A row reveals
// its Delete button by a swipe or its delete control; the button commits the delete editing
// style through tableViewCommitEditingStyle. A row dragged by its reorder control moves live;
// tableViewMoveRowAtIndexPath hears of it once, when it is let go. The window and the test
// harness drive these through uikit::TouchTracker; the calls below are what it uses.
class UITableView : public UIScrollView {
public:
    using CellFactory = std::function<std::shared_ptr<UITableViewCell>()>;

    UITableView();
    UITableView(const CGRect& frame, UITableViewStyle style);

    UITableViewStyle style() const { return style_; }

    std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource) { dataSource_ = dataSource; }
    std::shared_ptr<UITableViewDelegate> tableDelegate() const { return tableDelegate_.lock(); }
    // Also the scroll-view delegate, as on the platform.
    void setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate);

    // Registration.
    void registerNib(const std::shared_ptr<UINib>& nib, const std::string& identifier);
    template <class Cell>
    void registerClass(const std::string& identifier)
    {
        registerCellFactory(identifier, [identifier] { return std::make_shared<Cell>(UITableViewCellStyle::Default, identifier); });
    }
    void registerCellFactory(const std::string& identifier, CellFactory factory);
    // Storyboard prototype cells; awakeFromNib runs on every cell made from them.
    void registerPrototype(const std::string& identifier, CellFactory factory);
    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& identifier);
    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string& identifier, const NSIndexPath& indexPath);

    // Typed cells. A cell class names its identifier once, as a static member:
    //     class HistoryCell : public UITableViewCell {
    //     public:
    //         static constexpr const char* cellIdentifier = "historyCell";
    //     ...
    //     table->registerClass<HistoryCell>();
    //     auto cell = table->dequeue<HistoryCell>(indexPath);
    // A cell of another class, or none for the identifier, stops the program with a clear
    // message (as the storyboard's typed instantiate does); no fresh cell stands in for it.
    template <class Cell>
    std::shared_ptr<Cell> dequeue(const std::string& identifier, const NSIndexPath& indexPath)
    {
        return uikit::detail::cellOfClass<Cell>(dequeueReusableCellWithIdentifier(identifier, indexPath), "UITableView", identifier);
    }
    template <class Cell>
    std::shared_ptr<Cell> dequeue(const NSIndexPath& indexPath)
    {
        return dequeue<Cell>(Cell::cellIdentifier, indexPath);
    }
    template <class Cell>
    void registerClass()
    {
        registerClass<Cell>(Cell::cellIdentifier);
    }

    // Content.
    void reloadData();
    int64_t numberOfSections();
    int64_t numberOfRowsInSection(int64_t section);
    void reloadRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths, UITableViewRowAnimation animation);
    void deleteRowsAtIndexPaths(const std::vector<NSIndexPath>& indexPaths, UITableViewRowAnimation animation);

    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height) { rowHeight_ = height; }
    CGFloat estimatedRowHeight() const { return estimatedRowHeight_; }
    void setEstimatedRowHeight(CGFloat height) { estimatedRowHeight_ = height; }

    const std::shared_ptr<UIView>& tableHeaderView() const { return tableHeaderView_; }
    void setTableHeaderView(std::shared_ptr<UIView> view);
    const std::shared_ptr<UIView>& tableFooterView() const { return tableFooterView_; }
    void setTableFooterView(std::shared_ptr<UIView> view);

    UITableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(UITableViewCellSeparatorStyle style) { separatorStyle_ = style; }
    const std::optional<UIColor>& separatorColor() const { return separatorColor_; }
    void setSeparatorColor(std::optional<UIColor> color) { separatorColor_ = std::move(color); }

    // Geometry, in content coordinates.
    CGRect rectForSection(int64_t section);
    CGRect rectForHeaderInSection(int64_t section);
    CGRect rectForFooterInSection(int64_t section);
    CGRect rectForRowAtIndexPath(const NSIndexPath& indexPath);
    bool isValidIndexPath(const NSIndexPath& indexPath);

    // Visible cells only; none for rows off screen.
    std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(const NSIndexPath& indexPath);
    std::vector<std::shared_ptr<UITableViewCell>> visibleCells() const;
    std::vector<NSIndexPath> indexPathsForVisibleRows() const;
    std::optional<NSIndexPath> indexPathForCell(const std::shared_ptr<UITableViewCell>& cell) const;
    std::shared_ptr<UIView> headerViewForSection(int64_t section);
    // How many cells the table holds in its reuse pools (for tests of reuse).
    size_t numberOfReusableCells() const;

    // Scrolls at once; the row's cell is visible afterwards.
    void scrollToRowAtIndexPath(const NSIndexPath& indexPath, UITableViewScrollPosition position, bool animated);

    // Selection.
    std::optional<NSIndexPath> indexPathForSelectedRow() const { return selected_; }
    void selectRowAtIndexPath(const std::optional<NSIndexPath>& indexPath, bool animated, UITableViewScrollPosition position);
    void deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated);

    // Editing.
    bool isEditing() const { return editing_; }
    void setEditing(bool editing, bool animated);
    void setEditing(bool editing) { setEditing(editing, false); }

    // What the user does, for the harness: a tap on a row selects it and tells the delegate; a
    // delete (swipe or delete control) commits the editing style; a drag moves the row in the
    // table, then tells the data source. Each returns whether it was allowed.
    bool userDidTapRow(const NSIndexPath& indexPath);
    bool userDidCommitEditingStyle(UITableViewCellEditingStyle style, const NSIndexPath& indexPath);
    bool userDidMoveRow(const NSIndexPath& from, const NSIndexPath& to);

    // Swipe to delete. Outside editing, a row the data source can edit and whose editing style
    // is Delete follows a horizontal swipe (translation < 0 is to the left); let go past half
    // the Delete button, the button stays revealed, else it hides. While editing, a tap on a
    // row's delete control reveals it. A tap on the button commits the delete editing style
    // (userDidCommitEditingStyle); a swipe back, a tap elsewhere, the end of editing, a reload or
    // an update hides it. One row at most shows it.
    bool canSwipeToDeleteRowAtIndexPath(const NSIndexPath& indexPath);
    void userDidSwipeRow(const NSIndexPath& indexPath, CGFloat translation);
    void userDidEndSwipingRow(const NSIndexPath& indexPath, CGFloat translation);
    bool showDeleteConfirmationForRowAtIndexPath(const NSIndexPath& indexPath);
    void hideDeleteConfirmation();
    std::optional<NSIndexPath> indexPathForRowShowingDeleteConfirmation() const;
    bool userDidTapDeleteConfirmationForRowAtIndexPath(const NSIndexPath& indexPath);

    // Reordering while editing, by a row's reorder control (y in content coordinates, where the
    // finger is). The row follows the finger within its section and the rows it passes make
    // room, live; the data source hears nothing until the end, then of the move once, from the
    // row's old place to where it was let go (userDidMoveRow), and of no move when it went back.
    bool userDidBeginReorderingRow(const NSIndexPath& indexPath, CGFloat y);
    void userDidMoveReorderingRow(CGFloat y);
    void userDidEndReordering();
    void userDidCancelReordering();
    // Where the dragged row would land now; none when no row is dragged.
    std::optional<NSIndexPath> reorderDestination() const;

    void setFrame(const CGRect& frame) override;
    void layoutSubviews() override;

protected:
    void contentOffsetDidChange() override;

private:
    struct Section {
        CGFloat top = 0;
        CGFloat headerHeight = 0;
        std::vector<CGFloat> rowTops; // one more than rows: the last is where the footer starts
        CGFloat footerHeight = 0;
        std::shared_ptr<UIView> headerView;
        std::shared_ptr<UIView> footerView;
        int64_t rows() const { return static_cast<int64_t>(rowTops.size()) - 1; }
        CGFloat bottom() const { return rowTops.back() + footerHeight; }
    };

    void ensureLoaded();
    std::vector<int64_t> askCounts();
    void buildGeometry(const std::vector<int64_t>& counts);
    void tile();
    void tileOnce();
    std::vector<CellTiler<UITableViewCell>::Wanted> wantedRows(const CGRect& visible) const;
    void placeSupplementaryViews(const CGRect& visible);
    void prepareEditingControls(UITableViewCell& cell, const NSIndexPath& indexPath);
    void applyRowEditingLayout();
    std::vector<CGFloat> rowHeightsInSection(int64_t section) const;

    UITableViewStyle style_ = UITableViewStyle::Plain;
    std::weak_ptr<UITableViewDataSource> dataSource_;
    std::weak_ptr<UITableViewDelegate> tableDelegate_;
    CellTiler<UITableViewCell> cells_;
    std::vector<Section> sections_;
    // The counts being asked or laid out right now; the table answers with them meanwhile.
    std::optional<std::vector<int64_t>> countsInProgress_;
    bool loaded_ = false;
    CGFloat rowHeight_ = UITableViewAutomaticDimension;
    CGFloat estimatedRowHeight_ = UITableViewAutomaticDimension;
    std::shared_ptr<UIView> tableHeaderView_;
    std::shared_ptr<UIView> tableFooterView_;
    UITableViewCellSeparatorStyle separatorStyle_ = UITableViewCellSeparatorStyle::SingleLine;
    std::optional<UIColor> separatorColor_;
    std::optional<NSIndexPath> selected_;
    bool editing_ = false;
    // The row showing (or being swiped to show) its Delete button, and how far.
    std::optional<NSIndexPath> confirming_;
    CGFloat confirmingWidth_ = 0;
    struct Reordering {
        NSIndexPath from;
        NSIndexPath to;
        CGFloat grab = 0; // from the row's top to the finger
        CGFloat top = 0;  // where the dragged row's top is now
        // The dragged row's cell looks lifted; what it looked like before.
        std::shared_ptr<UITableViewCell> cell;
        std::optional<UIColor> background;
        std::optional<CGColor> shadowColor;
        float shadowOpacity = 0;
        CGSize shadowOffset;
        CGFloat shadowRadius = 0;
    };
    std::optional<Reordering> reordering_;
    // Ends the drag, if any, without a move; the dragged cell looks as before.
    std::optional<Reordering> dropReordering();
};
