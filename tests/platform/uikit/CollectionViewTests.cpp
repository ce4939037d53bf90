#include <gtest/gtest.h>

#include <vector>

#include "platform/uikit/CellTiler.hpp"
#include "platform/uikit/UICollectionView.hpp"

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

class Videos : public UICollectionViewDataSource, public UICollectionViewDelegateFlowLayout {
public:
    int64_t count = 5;
    std::vector<NSIndexPath> requested;
    int64_t collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>&, int64_t) override { return count; }
    std::shared_ptr<UICollectionViewCell> collectionViewCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>& cv,
                                                                              const NSIndexPath& ip) override
    {
        requested.push_back(ip);
        return cv->dequeueReusableCellWithReuseIdentifier("videoCollectionViewCell", ip);
    }
    std::optional<CGSize> collectionViewLayoutSizeForItemAtIndexPath(const std::shared_ptr<UICollectionView>& cv, const UICollectionViewLayout&,
                                                                   const NSIndexPath&) override
    {
        CGFloat side = 0.95 * cv->frame().size.height;
        return CGSize{side, side};
    }
};

class VideoCell : public UICollectionViewCell {
public:
    static constexpr const char* cellIdentifier = "videoCollectionViewCell";
};

} // namespace

// Recycling what scrolled away and asking only for what is missing is the table's and the collection's tests.
TEST(CellTiler, RoundsRepeatForAReloadButStopAfterAFew)
{
    Tiler tiler("View", "Cell", "item");
    int rounds = 0;
    std::function<void()> tiling = [&] {
        ++rounds;
        tiler.tile(tiling);
    };
    tiler.tile(tiling);
    EXPECT_EQ(rounds, 8);
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

TEST(UICollectionView, FlowLayoutUsesTheSizeCallbackAndAsksOnlyVisibleItems)
{
    auto layout = std::make_shared<UICollectionViewFlowLayout>();
    layout->setScrollDirection(UICollectionViewScrollDirection::Horizontal);
    auto cv = std::make_shared<UICollectionView>(CGRect{0, 0, 400, 200}, layout);
    auto videos = std::make_shared<Videos>();
    cv->registerClass<UICollectionViewCell>("videoCollectionViewCell");
    cv->setDataSource(videos);
    cv->setDelegate(videos);
    cv->reloadData();

    // Squares of 190 with 10 between them: items 0 and 1 are visible, item 2 starts at the edge.
    EXPECT_EQ(cv->frameForItemAtIndexPath({0, 1}), (CGRect{200, 0, 190, 190}));
    EXPECT_EQ(videos->requested, (std::vector<NSIndexPath>{{0, 0}, {0, 1}}));
    EXPECT_EQ(cv->contentSize().width, 5 * 190 + 4 * 10);

    cv->setContentOffset({600, 0});
    EXPECT_TRUE(cv->cellForItemAtIndexPath({0, 4}));
    EXPECT_EQ(cv->cellForItemAtIndexPath({0, 0}), nullptr);

    cv->setContentOffset({0, 0});
    videos->requested.clear();
    videos->count = 1;
    cv->setFrame({0, 0, 400, 100}); // a new height reloads, and the items follow it
    EXPECT_EQ(videos->requested, (std::vector<NSIndexPath>{{0, 0}}));
    EXPECT_EQ(cv->cellForItemAtIndexPath({0, 0})->frame(), (CGRect{0, 0, 95, 95}));
}

TEST(UICollectionViewDeathTest, DequeueStopsOnAnUnregisteredIdentifierOrACellOfAnotherClass)
{
    auto cv = std::make_shared<UICollectionView>(CGRect{0, 0, 10, 10}, nullptr);
    EXPECT_DEATH(cv->dequeueReusableCellWithReuseIdentifier("x", {0, 0}), "could not dequeue");
    cv->registerClass<VideoCell>();
    EXPECT_TRUE(cv->dequeue<VideoCell>({0, 0}));
    cv->registerClass<UICollectionViewCell>("plain");
    EXPECT_DEATH(cv->dequeue<VideoCell>("plain", {0, 0}), "UICollectionView: .*\"plain\" is a UICollectionViewCell, not a .*VideoCell");
}

TEST(UICollectionView, OnePassMakesEveryVisibleItemOnce)
{
    auto screen = std::make_shared<UIView>(CGRect{0, 0, 390, 844});
    auto cv = std::make_shared<UICollectionView>(CGRect{0, 0, 390, 844}, std::make_shared<UICollectionViewFlowLayout>());
    auto videos = std::make_shared<Videos>();
    videos->count = 0;
    cv->registerClass<UICollectionViewCell>("videoCollectionViewCell");
    cv->setDataSource(videos);
    screen->addSubview(cv);
    screen->layoutIfNeeded();
    // Each new cell lays out the collection again while the pass that made it still runs.
    videos->count = 12;
    cv->reloadData();

    std::vector<NSIndexPath> all;
    for (int64_t item = 0; item < 12; ++item) {
        all.push_back({0, item});
    }
    EXPECT_EQ(videos->requested, all);
    EXPECT_EQ(cv->indexPathsForVisibleItems(), all);
}
