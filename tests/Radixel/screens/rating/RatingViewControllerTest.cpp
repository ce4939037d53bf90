#include <gtest/gtest.h>

#include "Radixel/screens/rating/RatingViewController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/texts/LocalizedString.hpp"

using nlohmann::json;
using uikit::testing::AnalyticsRecorder;

namespace {

class RatingViewControllerTest : public ::testing::Test, public LaunchedApp {
protected:
    RatingViewControllerTest() { launch(Answers{}); }

    // What the calculate screen does each time it has appeared, the launch included.
    void check() {
        RatingViewController::shared().check(app->calculateViewController());
        h.runUntilIdle();
    }
    std::shared_ptr<RatingViewController> prompt() const { return h.presented<RatingViewController>(); }

    // Sends that rating on the prompt, due at the next check.
    void rate(double rating) {
        DefaultsKeys::counterForRating.set(1);
        check();
        ASSERT_NE(prompt(), nullptr);
        prompt()->StarRatingView->setRating(rating);
        ASSERT_TRUE(h.tapAccessibilityIdentifier("sendRatingButton"));
        h.finishAnimations();
    }

    LocalHttpServer checkServer;
    ScopedEnvironment address{"RADIXEL_INTERNET_CHECK_URL", checkServer.url("/")};
};

}  // namespace

// A star is chosen by a finger; cancel starts the countdown again, without asking again in this process.
TEST_F(RatingViewControllerTest, TheFifthAppearancePromptsOverTheCalculateScreenOncePerProcessUntilCancelled) {
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 4);
    for (int64_t expected : {3, 2}) {
        check();
        EXPECT_EQ(DefaultsKeys::counterForRating.get(), expected);
    }
    restart();
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 1);
    EXPECT_EQ(prompt(), nullptr);
    check();
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 0);
    ASSERT_NE(prompt(), nullptr);
    EXPECT_EQ(prompt()->viewController.lock().get(), &calculate());
    EXPECT_EQ(std::tuple(prompt()->modalPresentationStyle(), prompt()->modalTransitionStyle(),
                         prompt()->ratingLabel.lock()->text(), prompt()->cancelRatingButton->currentTitle(),
                         prompt()->sendRatingButton->currentTitle()),
              std::tuple(UIModalPresentationStyle::OverCurrentContext, UIModalTransitionStyle::CrossDissolve, "Rate",
                         "Cancel", "Send"));

    check();
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 0);

    // Left unanswered, the prompt comes at the first appearance of the next process.
    restart();
    h.runUntilIdle();
    ASSERT_NE(prompt(), nullptr);
    // A finger on the third star.
    const Cosmos::CosmosSettings& stars = prompt()->StarRatingView->settings();
    ASSERT_TRUE(h.tap(prompt()->StarRatingView, {2.5 * stars.starSize + 2 * stars.starMargin, stars.starSize / 2}));
    EXPECT_EQ(prompt()->StarRatingView->rating(), 3.0);
    h.analytics().clear();
    ASSERT_TRUE(h.tapAccessibilityIdentifier("cancelRatingButton"));
    h.finishAnimations();
    EXPECT_EQ(prompt(), nullptr);
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 5);
    EXPECT_EQ(h.analytics().events(), (std::vector<AnalyticsRecorder::Event>{{"tapped_rated_app_cancel", nullptr}}));
    check();
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 5);
    EXPECT_EQ(prompt(), nullptr);
}

TEST_F(RatingViewControllerTest, BelowFourStarsIsOnlyThankedForWithoutNetworkAndNeverAskedAgain) {
    rate(3.5);
    EXPECT_EQ(h.analytics().events(),
              (std::vector<AnalyticsRecorder::Event>{{"tapped_rated_app", {{"app", "ZV"}, {"rating", 3.5}}}}));
    EXPECT_EQ(alertTitle(), LocalizedString::thanks());
    EXPECT_EQ(h.presentedAlert()->message(), "");
    EXPECT_TRUE(h.tapAlertAction(LocalizedString::close()));
    EXPECT_TRUE(DefaultsKeys::isRatingAlreadyDone.get());
    EXPECT_EQ(checkServer.requestCount(), 0u);

    restart();
    DefaultsKeys::counterForRating.set(1);
    for (int i = 0; i < 6; ++i) check();
    EXPECT_TRUE(!prompt() && DefaultsKeys::counterForRating.get() == 1);
}

TEST_F(RatingViewControllerTest, FourStarsOpenTheStoresRatingPageOnceTheNetworkAnswers) {
    h.linkOpener().installURLHandler("https");
    rate(4.0);
    ASSERT_TRUE(h.runUntil([&] { return alertTitle() == LocalizedString::thanks(); }));
    EXPECT_EQ(checkServer.requestCount(), 1u);
    EXPECT_EQ(h.linkOpener().openedURLs(),
              (std::vector<std::string>{"https://radixel.example/store/radixel-pro/rate"}));
    EXPECT_EQ(h.analytics().names(), (std::vector<std::string>{"tapped_rated_app", "Tapped Rating in Menu"}));
    EXPECT_EQ(h.analytics().events().front().parameters, (json{{"app", "ZV"}, {"rating", 4.0}}));
    EXPECT_TRUE(DefaultsKeys::isRatingAlreadyDone.get());
}

TEST_F(RatingViewControllerTest, AStoreOutOfReachStartsTheCountdownAgain) {
    std::string refused = LocalHttpServer().url("/");  // refused once the server has gone
    ScopedEnvironment offline("RADIXEL_INTERNET_CHECK_URL", refused);
    rate(5.0);
    ASSERT_TRUE(h.runUntil([&] { return alertTitle() == NSLocalizedString("noInternet", "No internet"); }));
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 0);
    h.tapAlertAction("OK");
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 5);
    EXPECT_FALSE(DefaultsKeys::isRatingAlreadyDone.get());
    EXPECT_TRUE(h.linkOpener().openedURLs().empty());
}
