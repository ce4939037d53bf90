#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.hpp"
#include "platform/ytplayer/YTPlayerView.hpp"

namespace {
class Cell : public YTPlayerViewDelegate {
public:
    int ready = 0;
    void playerViewDidBecomeReady(const std::shared_ptr<YTPlayerView>&) override { ++ready; }
};
} // namespace

TEST(YTPlayerView, RefusesUnsafeIdsAndOnlyTheLatestLoadReportsReadinessLater)
{
    auto player = std::make_shared<YTPlayerView>();
    auto cell = std::make_shared<Cell>();
    player->setDelegate(cell);
    EXPECT_FALSE(player->loadWithVideoId(""));
    EXPECT_FALSE(player->loadWithVideoId("abc\"><script>"));
    EXPECT_FALSE(player->loadWithVideoId("abcdefghijk", nlohmann::json::array()));
    EXPECT_FALSE(player->videoId().has_value());

    EXPECT_TRUE(player->loadWithVideoId("aaaaaaaaaaa"));
    ASSERT_TRUE(player->loadWithVideoId("dQw4w9WgXcQ", {{"start", "42"}}));
    EXPECT_EQ(player->videoId(), "dQw4w9WgXcQ");
    EXPECT_EQ(cell->ready, 0);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(cell->ready, 1);
    EXPECT_TRUE(player->isReady());
}
