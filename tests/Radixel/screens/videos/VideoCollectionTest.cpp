#include <gtest/gtest.h>

#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/screens/videos/VideoCollectionTableViewCell.hpp"
#include "Radixel/screens/videos/VideoCollectionViewCell.hpp"
#include "Radixel/services/OnboardingPages.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"

using nlohmann::json;

namespace {

const std::string watch = "https://www.youtube.com/watch?v=", id = "aaaaaaaaaaa", otherId = "bbbbbbbbbbb";

std::string text(const std::string& key) { return NSLocalizedString(key, key); }

// The video row of the solution page after a calculation, with these tutorial links.
class VideoRowTest : public ::testing::Test, public LaunchedApp {
protected:
    std::shared_ptr<VideoCollectionTableViewCell> showRow(const std::vector<std::string>& links,
                                                          std::optional<std::map<int64_t, CGFloat>> heights = {}) {
        holdRemoteValues(videoTutorials(links));
        if (app) h.simulateRestart();
        launch(Answers{});
        auto table = solution().tableView;
        EXPECT_EQ(table->numberOfSections(), 1);  // no steps, no videos
        calculate().showSolution(LaunchedApp::Steps{{{"title", "Step 1"}, {"latexString", "x = 1"}}}, {}, "", heights,
                                 100.0);
        h.runUntilIdle();
        table->scrollToRowAtIndexPath({1, 0}, UITableViewScrollPosition::Top, false);
        return std::dynamic_pointer_cast<VideoCollectionTableViewCell>(table->cellForRowAtIndexPath({1, 0}));
    }

    // The item scrolled into view, as a user would, once its player had its turn to get ready.
    std::shared_ptr<VideoCollectionViewCell> videoCell(const VideoCollectionTableViewCell& row, int64_t item) {
        auto collection = row.videoCollectionView.lock();
        NSIndexPath path = NSIndexPath::indexPathForItem(item, 0);
        collection->scrollRectToVisible(*collection->frameForItemAtIndexPath(path), false);
        collection->layoutIfNeeded();
        h.runUntilIdle();
        return std::dynamic_pointer_cast<VideoCollectionViewCell>(collection->cellForItemAtIndexPath(path));
    }
    static bool showsVideo(const VideoCollectionViewCell& cell) {
        return !cell.videoView.lock()->isHidden() && cell.coveringView.lock()->isHidden();
    }
    static bool locked(const VideoCollectionTableViewCell& row) {
        bool covered = !row.lockingView.lock()->isHidden();
        EXPECT_EQ(row.privacyButton.lock()->image()->name(), covered ? "lock.fill" : "lock.open.fill");
        return covered;
    }
};

}  // namespace

// The table reaches beyond the window on the right; the header and the lock stay inside it.
TEST_F(VideoRowTest, WithoutConsentTheRowIsLockedUntilAcceptedAndThePrivacyButtonLocksItAgain) {
    auto row = showRow({watch + id});
    ASSERT_TRUE(row);
    EXPECT_TRUE(locked(*row));
    EXPECT_EQ(std::tuple(row->titleLabel.lock()->text(), row->unlockButton.lock()->currentTitle()),
              std::tuple("Recommended video if unclear", "Touch to unlock"));
    EXPECT_FALSE(h.isTouchable(videoCell(*row, 0)->posterButton.lock()));
    for (const std::shared_ptr<UIView>& view : std::vector<std::shared_ptr<UIView>>{
             row->manualButton.lock(), row->privacyButton.lock(), row->lockingView.lock(), row->unlockButton.lock()}) {
        CGRect shown = view->convertRectToView(view->bounds(), h.window().get());
        EXPECT_TRUE(shown.minX() >= 0 && shown.maxX() <= h.window()->bounds().size.width) << shown.minX();
    }

    // Declining stores the answer and leaves the row as it is.
    ASSERT_TRUE(h.tap(row->unlockButton.lock()));
    h.tapAlertAction(text("dsgvoDecline"));
    EXPECT_TRUE(locked(*row));

    h.tap(row->unlockButton.lock());
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_FALSE(locked(*row));
    auto introduction = h.presented<OnboardKit::OnboardViewController>();
    ASSERT_NE(introduction, nullptr);
    EXPECT_EQ(introduction->modalPresentationStyle(), UIModalPresentationStyle::FormSheet);
    EXPECT_EQ(introduction->pageItems().size(), youtubeOnboardingPages().size());
    introduction->dismissViewControllerAnimated(false);
    EXPECT_TRUE(h.isTouchable(videoCell(*row, 0)->posterButton.lock()));

    // The privacy button locks on decline, and only stores an accept.
    for (const char* answer : {"dsgvoDecline", "dsgvoAccept"}) {
        h.tap(row->privacyButton.lock());
        h.tapAlertAction(text(answer));
        EXPECT_TRUE(locked(*row)) << answer;
    }
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_EQ(h.presented<OnboardKit::OnboardViewController>(), nullptr);

    // The introduction button shows the pages whatever the lock says.
    h.tap(row->manualButton.lock());
    EXPECT_NE(h.presented<OnboardKit::OnboardViewController>(), nullptr);

    // Every new row reads the stored answer, whichever row gave it.
    for (bool accepted : {false, true}) {
        DefaultsKeys::isYoutubeDsgvoAccepted.set(accepted);
        EXPECT_EQ(locked(*showRow({watch + id})), !accepted) << accepted;
    }
}

// Which links are videos is the link parser's test; here each reaches the player or the cover,
// and playing opens the video's page at its start time. A reused cell shows its player again. The
// row is as high as the window is wide, and sharing captures it whole, as it does a step row taller
// than the screen.
TEST_F(VideoRowTest, EachLinkReachesThePlayerOrLeavesItHiddenUnderTheCoverAndTheRowIsSharedWhole) {
    DefaultsKeys::isYoutubeDsgvoAccepted.set(true);
    h.linkOpener().installURLHandler("https");
    const std::vector<std::string> links = {watch + id + "&list=x&t=90s", "https://www.youtube.com/shorts/" + otherId,
                                            watch + "aaaaaaaaaa", watch + "aaaaa/aaaaa"};
    auto row = showRow(links, std::map<int64_t, CGFloat>{{0, 1500.0}});
    ASSERT_TRUE(row);
    CGFloat windowWidth = h.window()->rootViewController()->view()->frame().size.width;
    EXPECT_DOUBLE_EQ(solution().tableView->rectForRowAtIndexPath({1, 0}).size.height, windowWidth);
    auto timed = videoCell(*row, 0);
    CGFloat side = 0.95 * row->videoCollectionView.lock()->frame().size.height;
    EXPECT_EQ(timed->frame().size, (CGSize{side, side}));
    EXPECT_TRUE(showsVideo(*timed));
    EXPECT_EQ(timed->videoView.lock()->playerVars(), (json{{"iv_load_policy", 1}, {"start", "90"}}));
    EXPECT_EQ(timed->posterButton.lock()->accessibilityLabel(), id + "  \u25B8 90 s");
    EXPECT_TRUE(h.tap(timed->posterButton.lock()));
    auto shortVideo = videoCell(*row, 1);
    EXPECT_TRUE(showsVideo(*shortVideo));
    EXPECT_EQ(std::tuple(shortVideo->videoView.lock()->videoId(), shortVideo->videoView.lock()->playerVars()),
              std::tuple(otherId, json{{"iv_load_policy", 1}}));
    EXPECT_TRUE(h.tap(shortVideo->posterButton.lock()));
    // Too short, and an id the player cannot embed.
    for (int64_t rejected : {2, 3}) {
        auto cell = videoCell(*row, rejected);
        EXPECT_TRUE(cell->videoView.lock()->isHidden() && !cell->coveringView.lock()->isHidden()) << rejected;
        EXPECT_FALSE(h.tap(cell->posterButton.lock())) << rejected;
    }
    EXPECT_EQ(h.linkOpener().openedURLs(), (std::vector<std::string>{watch + id + "&t=90s", watch + otherId}));

    timed->loadVideo(std::nullopt);
    h.runUntilIdle();
    EXPECT_TRUE(timed->videoView.lock()->isHidden() && !timed->coveringView.lock()->isHidden());
    timed->loadVideo(watch + otherId);
    EXPECT_FALSE(h.isTouchable(timed->posterButton.lock()));  // under the cover until the player is ready
    h.runUntilIdle();
    EXPECT_TRUE(showsVideo(*timed) && timed->videoView.lock()->videoId() == otherId);
    // A readiness report of the accepted link that arrives after a rejected one keeps the cover.
    timed->loadVideo(watch + id);
    timed->loadVideo(watch + "tooShort");
    h.runUntilIdle();
    EXPECT_FALSE(timed->coveringView.lock()->isHidden());

    ASSERT_TRUE(sharedPicture());
    EXPECT_DOUBLE_EQ(sharedPicture()->size().height, 1500.0 + windowWidth);
}
