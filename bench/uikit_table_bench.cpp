// Scrolling a long table from top to bottom: only the visible rows have cells, which are reused,
// so the cost per row stays flat and the number of cells stays bounded.
#include <benchmark/benchmark.h>

#include "platform/uikit/UITableView.hpp"

namespace {

class Rows : public UITableViewDataSource {
public:
    explicit Rows(int64_t count) : count_(count) {}
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t) override { return count_; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath& ip) override
    {
        auto cell = table->dequeue<UITableViewCell>("cell", ip);
        cell->textLabel()->setText("row " + std::to_string(ip.row));
        return cell;
    }

private:
    int64_t count_;
};

void BM_ScrollTableTopToBottom(benchmark::State& state)
{
    const int64_t rows = state.range(0);
    auto source = std::make_shared<Rows>(rows);
    auto table = std::make_shared<UITableView>(CGRect{0, 0, 390, 844}, UITableViewStyle::Plain);
    table->registerClass<UITableViewCell>("cell");
    table->setRowHeight(100);
    table->setDataSource(source);
    table->reloadData();
    size_t mostCells = 0;
    for (auto _ : state) {
        for (CGFloat y = 0; y + 844 <= rows * 100.0; y += 100) {
            table->setContentOffset({0, y});
        }
        table->setContentOffset({0, 0});
        mostCells = std::max(mostCells, table->visibleCells().size() + table->numberOfReusableCells());
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["cells"] = static_cast<double>(mostCells);
}

} // namespace

BENCHMARK(BM_ScrollTableTopToBottom)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
