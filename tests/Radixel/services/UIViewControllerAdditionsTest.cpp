#include <gtest/gtest.h>

#include <future>

#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/services/UIViewControllerAdditions.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "support/LocalHttpServer.hpp"

using Texts = std::vector<std::string>;

namespace {

class CheckAddress {
public:
    explicit CheckAddress(const std::string& url) { setenv("RADIXEL_INTERNET_CHECK_URL", url.c_str(), 1); }
    ~CheckAddress() { unsetenv("RADIXEL_INTERNET_CHECK_URL"); }
};

class AdditionsTest : public ShownScreenTest {
protected:
    std::shared_ptr<UIAlertAction> action(const std::string& title) {
        auto note = [this, title](const std::shared_ptr<UIAlertAction>&) { log.push_back(title); };
        return UIAlertAction::actionWithTitle(title, UIAlertActionStyle::Default, note);
    }

    std::function<void()> online = [this] { log.push_back("online"); };
    Texts log;
};

}  // namespace

TEST_F(AdditionsTest, AnAlertWithoutActionsGetsOneOkThatOnlyCloses) {
    showAlert(*screen.controller, "Title", std::nullopt, {}, UIAlertControllerStyle::Alert);
    h.runUntilIdle();
    EXPECT_EQ(alertButtons(), Texts{"OK"});
    EXPECT_TRUE(h.tapAlertAction("OK"));
    EXPECT_EQ(h.presentedAlert(), nullptr);

    showAlert(*screen.controller, std::nullopt, "Message", {action("Second"), action("First")},
              UIAlertControllerStyle::ActionSheet);
    h.runUntilIdle();
    EXPECT_EQ(alertButtons(), (Texts{"Second", "First"}));
    h.tapAlertAction("First");
    EXPECT_EQ(log, Texts{"First"});
}

TEST_F(AdditionsTest, BottomInsetIsThatOfTheLastWindowAndZeroWithoutAWindowScene) {
    uikit::testing::Harness bare;
    EXPECT_EQ(bottomSafeAreaInset(), 0);
    ShownScreen first(bare);
    EXPECT_EQ(bottomSafeAreaInset(), 34);
    auto second = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    second->setSafeAreaInsets(UIEdgeInsets{0, 0, 21, 0});
    EXPECT_EQ(bottomSafeAreaInset(), 21);
}

TEST_F(AdditionsTest, AnyHttpAnswerEvenASlowOneIsOnlineAndNeverHoldsUpTheMainLoop) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    LocalHttpServer server([released](const LocalHttpServer::Request&) {
        released.wait_for(std::chrono::seconds(30));  // bounded, so a broken test cannot hang the run
        return LocalHttpServer::Response{503, {}, "down for maintenance", false};
    });
    CheckAddress address(server.url("/"));
    checkInternetConnection(*screen.controller, online);

    bool otherWorkRan = false;
    DispatchQueue::main().async([&] { otherWorkRan = true; });
    EXPECT_TRUE(h.runUntil([&] { return otherWorkRan; }));
    EXPECT_FALSE(h.runUntil([this] { return !log.empty() || h.presentedAlert(); }, 0.3));
    release.set_value();
    EXPECT_TRUE(h.runUntil([this] { return !log.empty(); }));
    EXPECT_EQ(log, Texts{"online"});
    EXPECT_EQ(h.presentedAlert(), nullptr);
}

TEST_F(AdditionsTest, NoAnswerShowsTheNoInternetAlertWhoseOkRunsTheFailureAction) {
    std::optional<CheckAddress> refusing;
    {
        LocalHttpServer closed;  // nothing listens there any more: the connection is refused
        refusing.emplace(closed.url("/"));
    }
    std::shared_ptr<UIAlertAction> tapped;
    for (const InternetCheckFailureAction& failure :
         {InternetCheckFailureAction{}, InternetCheckFailureAction([&](const auto& action) { tapped = action; })}) {
        checkInternetConnection(*screen.controller, online, failure);
        ASSERT_TRUE(h.runUntil([this] { return h.presentedAlert() != nullptr; }));
        EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("noInternet", "No internet"));
        EXPECT_EQ(alertButtons(), Texts{"OK"});
        h.tapAlertAction("OK");
    }
    ASSERT_TRUE(tapped);
    EXPECT_EQ(tapped->title(), "OK");
    EXPECT_TRUE(log.empty());
}

TEST_F(AdditionsTest, RatingPageNeedsTheAppsRecordAndAnOpenableLink) {
    openRatingPage(*screen.controller);
    h.runUntilIdle();
    ASSERT_NE(h.presentedAlert(), nullptr);
    EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("noInternet", "No internet"));
    h.tapAlertAction("OK");

    RemoteConfigManager::shared().loadAllValues();  // the bundled catalogue holds this app
    openRatingPage(*screen.controller);
    EXPECT_EQ(h.presentedAlert(), nullptr);
    EXPECT_TRUE(h.linkOpener().openedURLs().empty());
    EXPECT_TRUE(h.analytics().events().empty());

    h.linkOpener().installURLHandler("https");
    openRatingPage(*screen.controller);
    EXPECT_EQ(h.linkOpener().openedURLs(), Texts{"https://radixel.example/store/radixel-pro/rate"});
    ASSERT_EQ(h.analytics().names(), Texts{"Tapped Rating in Menu"});
    EXPECT_EQ(h.analytics().events().front().parameters,
              nlohmann::json({{"ketuApp", "Radixel – Quadratic Equations"}}));
}
