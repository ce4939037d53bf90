#include <gtest/gtest.h>

#include <vector>

#include "platform/uikit/CellTiler.hpp"
#include "platform/uikit/UICollectionViewCell.hpp"

namespace {

class CountingCell : public UICollectionViewCell {
public:
    int reuses = 0;
    void prepareForReuse() override
    {
        UICollectionViewCell::prepareForReuse();
        ++reuses;
    }
};

using Tiler = CellTiler<UICollectionViewCell>;

std::vector<Tiler::Wanted> column(int64_t first, int64_t last)
{
    std::vector<Tiler::Wanted> wanted;
    for (int64_t row = first; row < last; ++row) {
        wanted.push_back({{0, row}, {0, 10.0 * static_cast<CGFloat>(row), 50, 10}});
    }
    return wanted;
}

} // namespace

// Recycling what scrolled away and asking only for what is missing is the table's and the
// collection's own test; these are the rounds a data source that reloads mid-pass causes.
TEST(CellTiler, RoundsRepeatOnlyForAReloadAndStopAfterAFew)
{
    Tiler tiler("View", "Cell", "item");
    int rounds = 0;
    std::function<void()> tiling = [&] {
        ++rounds;
        tiler.tile(tiling);
    };
    tiler.tile(tiling);
    EXPECT_EQ(rounds, 8);
    rounds = 0;
    tiler.tile([&rounds] { ++rounds; });
    EXPECT_EQ(rounds, 1);

    // That a layout asked for during a pass takes no round of its own is the table's and the
    // collection's one-pass tests.
}

// The cell goes back to the pool and is handed out again, readied for reuse, before a new one is made.
TEST(CellTiler, ACellMadeWhileTheContentChangedGoesBackToThePoolAndThePassStartsOver)
{
    auto host = std::make_shared<UIView>(CGRect{0, 0, 50, 30});
    int recycled = 0;
    Tiler tiler("View", "Cell", "item", [&recycled](UICollectionViewCell&) { ++recycled; });
    int made = 0;
    tiler.pool().registerFactory("cell", [&made] {
        ++made;
        return std::make_shared<CountingCell>();
    });
    std::vector<NSIndexPath> asked;
    std::vector<bool> finished;
    bool changed = false;
    auto pass = [&] {
        auto ask = [&](const NSIndexPath& indexPath) {
            asked.push_back(indexPath);
            if (indexPath.row == 1 && !changed) {
                changed = true;
                tiler.tile([] {});
            }
            return tiler.pool().dequeue("cell");
        };
        auto nothing = [](auto&&...) {};
        finished.push_back(tiler.fill(*host, column(0, 3), true, ask, nothing, nothing));
    };
    tiler.tile(pass);
    EXPECT_EQ(finished, (std::vector<bool>{false, true}));
    EXPECT_EQ(asked, (std::vector<NSIndexPath>{{0, 0}, {0, 1}, {0, 1}, {0, 2}}));
    EXPECT_EQ(tiler.cells().size(), 3u);
    EXPECT_EQ(recycled, 1);
    EXPECT_EQ(made, 3);
    int reuses = 0;
    for (const auto& cell : tiler.cells()) {
        reuses += std::static_pointer_cast<CountingCell>(cell)->reuses;
    }
    EXPECT_EQ(reuses, 1);
    EXPECT_EQ(tiler.pool().size(), 0u);
    EXPECT_EQ(host->subviews().size(), 3u);
}
