#include <gtest/gtest.h>

#include "Radixel/screens/videos/VideoCollectionTableViewCell.hpp"
#include "Radixel/screens/videos/VideoCollectionViewCell.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/OnboardingPages.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"
#include "platform/uikit/UITableView.hpp"

using nlohmann::json;
using uikit::testing::Harness;

namespace {

const std::string watch = "https://www.youtube.com/watch?v=";
const std::string id = "aaaaaaaaaaa";
const std::string otherId = "bbbbbbbbbbb";

std::string text(const std::string& key) { return NSLocalizedString(key, key); }

// Shows the row as the solution screen does: the last row of a table, the nib registered under
// the row's identifier, the links set before the collection reloads.
class VideoTable : public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<std::string> links;

    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t) override { return 1; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                    const NSIndexPath& indexPath) override {
        auto cell = table->dequeue<VideoCollectionTableViewCell>(indexPath);
        cell->videoUrlStringArray = links;
        cell->videoCollectionView.lock()->reloadData();
        return cell;
    }
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                            const NSIndexPath&) override {
        return table->frame().size.width;
    }
};

class VideoCollectionTest : public ::testing::Test {
protected:
    VideoCollectionTest() { h.launch(std::make_shared<UIApplicationDelegate>()); }

    std::shared_ptr<VideoCollectionTableViewCell> showRow(std::vector<std::string> links, CGFloat overhang = 0) {
        CGRect frame = screen.controller->view()->bounds();
        frame.size.width += overhang;
        table = std::make_shared<UITableView>(frame, UITableViewStyle::Plain);
        table->registerNib(UINib::nibWithNibName("VideoCollectionTableViewCell", &NSBundle::mainBundle()),
                           "videoCollectionTableViewCell");
        source->links = std::move(links);
        table->setDataSource(source);
        table->setDelegate(source);
        screen.controller->view()->addSubview(table);
        table->reloadData();
        h.runUntilIdle();
        return std::dynamic_pointer_cast<VideoCollectionTableViewCell>(table->cellForRowAtIndexPath({0, 0}));
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

    ScratchDefaults defaults;
    Harness h;
    ShownScreen screen{h};
    std::shared_ptr<VideoTable> source = std::make_shared<VideoTable>();
    std::shared_ptr<UITableView> table;
};

}  // namespace

TEST_F(VideoCollectionTest, WithoutConsentTheRowIsLockedUntilTheOverlayPromptIsAccepted) {
    auto row = showRow({watch + id});
    EXPECT_EQ(row->titleLabel.lock()->text(), LocalizedString::recommendedVideoIfUnclear());
    EXPECT_EQ(row->unlockButton.lock()->titleForState(UIControlStateNormal), LocalizedString::touchToUnlock());
    EXPECT_FALSE(row->lockingView.lock()->isHidden());
    EXPECT_EQ(row->privacyButton.lock()->image()->name(), "lock.fill");
    EXPECT_FALSE(h.isTouchable(videoCell(*row, 0)->posterButton.lock()));

    // Declining stores the answer and leaves the row as it is.
    ASSERT_TRUE(h.tap(row->unlockButton.lock()));
    ASSERT_NE(h.presentedAlert(), nullptr);
    EXPECT_EQ(h.presentedAlert()->title(), text("dsgvoYoutubeTitle"));
    h.tapAlertAction(text("dsgvoDecline"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.hasValue());
    EXPECT_FALSE(row->lockingView.lock()->isHidden());

    h.tap(row->unlockButton.lock());
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_TRUE(row->lockingView.lock()->isHidden());
    EXPECT_EQ(row->privacyButton.lock()->image()->name(), "lock.open.fill");
    auto introduction = h.presented<OnboardKit::OnboardViewController>();
    ASSERT_NE(introduction, nullptr);
    EXPECT_EQ(introduction->modalPresentationStyle(), UIModalPresentationStyle::FormSheet);
    EXPECT_EQ(introduction->pageItems().size(), youtubeOnboardingPages().size());
    introduction->dismissViewControllerAnimated(false);
    EXPECT_TRUE(h.isTouchable(videoCell(*row, 0)->posterButton.lock()));
}

TEST_F(VideoCollectionTest, TheHeaderAndTheLockStayInsideTheWindowWhenTheTableReachesBeyondIt) {
    auto row = showRow({watch + id}, 50);
    CGFloat windowWidth = h.window()->bounds().size.width;
    for (const std::shared_ptr<UIView>& view : std::vector<std::shared_ptr<UIView>>{
             row->manualButton.lock(), row->privacyButton.lock(), row->lockingView.lock(), row->unlockButton.lock()}) {
        CGRect shown = view->convertRectToView(view->bounds(), h.window().get());
        EXPECT_LE(shown.maxX(), windowWidth);
        EXPECT_GE(shown.minX(), 0);
    }
}

TEST_F(VideoCollectionTest, ThePrivacyButtonLocksOnDeclineAndOnlyStoresAnAccept) {
    DefaultsKeys::isYoutubeDsgvoAccepted.set(true);
    auto row = showRow({watch + id});
    EXPECT_TRUE(row->lockingView.lock()->isHidden());
    EXPECT_EQ(row->privacyButton.lock()->image()->name(), "lock.open.fill");

    h.tap(row->privacyButton.lock());
    h.tapAlertAction(text("dsgvoDecline"));
    EXPECT_FALSE(row->lockingView.lock()->isHidden());
    EXPECT_EQ(row->privacyButton.lock()->image()->name(), "lock.fill");

    h.tap(row->privacyButton.lock());
    h.tapAlertAction(text("dsgvoAccept"));
    EXPECT_TRUE(DefaultsKeys::isYoutubeDsgvoAccepted.get());
    EXPECT_FALSE(row->lockingView.lock()->isHidden());
    EXPECT_EQ(h.presented<OnboardKit::OnboardViewController>(), nullptr);

    // The introduction button shows the pages whatever the lock says.
    h.tap(row->manualButton.lock());
    EXPECT_NE(h.presented<OnboardKit::OnboardViewController>(), nullptr);
}

// Which links are videos is the link parser's test; here each reaches the player or the cover.
TEST_F(VideoCollectionTest, EachLinkReachesThePlayerOrLeavesItHiddenUnderTheCover) {
    DefaultsKeys::isYoutubeDsgvoAccepted.set(true);
    auto row = showRow({watch + id + "&t=90s", "https://www.youtube.com/shorts/" + otherId, watch + "aaaaaaaaaa",
                        watch + "aaaaa/aaaaa"});
    auto collection = row->videoCollectionView.lock();
    CGRect first = *collection->frameForItemAtIndexPath({0, 0});
    EXPECT_DOUBLE_EQ(first.size.width, collection->frame().size.height * 0.95);
    EXPECT_DOUBLE_EQ(first.size.height, first.size.width);

    auto timed = videoCell(*row, 0);
    EXPECT_TRUE(showsVideo(*timed));
    EXPECT_EQ(timed->videoView.lock()->playerVars(), (json{{"iv_load_policy", 1}, {"start", "90"}}));
    auto shortVideo = videoCell(*row, 1);
    EXPECT_TRUE(showsVideo(*shortVideo));
    EXPECT_EQ(shortVideo->videoView.lock()->videoId(), otherId);
    EXPECT_EQ(shortVideo->videoView.lock()->playerVars(), (json{{"iv_load_policy", 1}}));
    // Too short, and an id the player cannot embed.
    for (int64_t rejected : {2, 3}) {
        auto cell = videoCell(*row, rejected);
        EXPECT_TRUE(cell->videoView.lock()->isHidden()) << rejected;
        EXPECT_FALSE(cell->coveringView.lock()->isHidden()) << rejected;
    }
}

TEST_F(VideoCollectionTest, AReusedCellShowsItsPlayerAgainForAnAcceptedLink) {
    DefaultsKeys::isYoutubeDsgvoAccepted.set(true);
    auto cell = videoCell(*showRow({watch + id}), 0);
    cell->loadVideo(std::nullopt);
    h.runUntilIdle();
    EXPECT_TRUE(cell->videoView.lock()->isHidden());
    EXPECT_FALSE(cell->coveringView.lock()->isHidden());

    cell->loadVideo(watch + otherId);
    EXPECT_FALSE(cell->coveringView.lock()->isHidden());  // until the player is ready
    h.runUntilIdle();
    EXPECT_TRUE(showsVideo(*cell));
    EXPECT_EQ(cell->videoView.lock()->videoId(), otherId);

    // A readiness report of the accepted link that arrives after a rejected one keeps the cover.
    cell->loadVideo(watch + id);
    cell->loadVideo(watch + "tooShort");
    h.runUntilIdle();
    EXPECT_FALSE(cell->coveringView.lock()->isHidden());
}

TEST_F(VideoCollectionTest, PlayingOpensTheVideosPageAtItsStartTime) {
    DefaultsKeys::isYoutubeDsgvoAccepted.set(true);
    h.linkOpener().installURLHandler("https");
    auto row = showRow({watch + id + "&list=x&t=90s", "https://www.youtube.com/shorts/" + otherId, watch + "nope"});
    EXPECT_TRUE(h.tap(videoCell(*row, 0)->posterButton.lock()));
    EXPECT_TRUE(h.tap(videoCell(*row, 1)->posterButton.lock()));
    EXPECT_FALSE(h.tap(videoCell(*row, 2)->posterButton.lock()));
    EXPECT_EQ(h.linkOpener().openedURLs(), (std::vector<std::string>{watch + id + "&t=90s", watch + otherId}));
}
