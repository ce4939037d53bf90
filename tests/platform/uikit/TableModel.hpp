// A table fed by a model of rows that logs what the table asks of it, for the table's tests.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/UITableView.hpp"

namespace table_testing {

struct Move {
    NSIndexPath from;
    NSIndexPath to;
    bool operator==(const Move&) const = default;
};

class NoteCell : public UITableViewCell {
public:
    using UITableViewCell::UITableViewCell;
};

// A model of rows in sections with a log of what the table asked and the user did.
class Model : public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<std::vector<std::string>> sections{{"a", "b", "c"}};
    std::vector<NSIndexPath> cellRequests, displayed, selected;
    std::vector<Move> moves;
    std::vector<CGFloat> headerViewHeights;
    bool movable = true;
    std::optional<int64_t> lockedRow;
    // The table's section count as seen while it asks (the solution screen finds its video section so).
    std::vector<int64_t> sectionCountsSeen;
    std::function<void(UITableView&, const NSIndexPath&)> onCellRequest;

    int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) override { return static_cast<int64_t>(sections.size()); }
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& table, int64_t s) override
    {
        sectionCountsSeen.push_back(table->numberOfSections());
        return static_cast<int64_t>(sections[static_cast<size_t>(s)].size());
    }
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath&) override
    {
        sectionCountsSeen.push_back(table->numberOfSections());
        return std::nullopt;
    }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                    const NSIndexPath& ip) override
    {
        cellRequests.push_back(ip);
        if (onCellRequest) {
            onCellRequest(*table, ip);
        }
        auto cell = table->dequeueReusableCellWithIdentifier("cell", ip);
        const auto& rows = sections[static_cast<size_t>(ip.section)];
        cell->textLabel()->setText(static_cast<size_t>(ip.row) < rows.size() ? rows[static_cast<size_t>(ip.row)] : "");
        return cell;
    }
    std::shared_ptr<UIView> tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>&, int64_t s) override
    {
        if (static_cast<size_t>(s) >= headerViewHeights.size()) {
            return nullptr;
        }
        return std::make_shared<UIView>(CGRect{0, 0, 10, headerViewHeights[static_cast<size_t>(s)]});
    }
    void tableViewWillDisplayCell(const std::shared_ptr<UITableView>&, const std::shared_ptr<UITableViewCell>&,
                                  const NSIndexPath& ip) override
    {
        displayed.push_back(ip);
    }
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& ip) override { selected.push_back(ip); }
    bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& ip) override { return lockedRow != ip.row; }
    bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return movable; }
    void tableViewMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& from, const NSIndexPath& to) override
    {
        moves.push_back({from, to});
        auto& src = sections[static_cast<size_t>(from.section)];
        std::string item = src[static_cast<size_t>(from.row)];
        src.erase(src.begin() + from.row);
        auto& dst = sections[static_cast<size_t>(to.section)];
        dst.insert(dst.begin() + to.row, item);
    }
};

struct Fixture {
    std::shared_ptr<Model> model = std::make_shared<Model>();
    std::shared_ptr<UITableView> table;
    explicit Fixture(CGRect frame = {0, 0, 320, 300}, CGFloat rowHeight = 100)
        : table(std::make_shared<UITableView>(frame, UITableViewStyle::Plain))
    {
        table->registerClass<NoteCell>("cell");
        table->setDataSource(model);
        table->setDelegate(model);
        table->setRowHeight(rowHeight);
    }
};

} // namespace table_testing
