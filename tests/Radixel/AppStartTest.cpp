#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

#include "Radixel/screens/root/LaunchedApp.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"

namespace {

class AppStartTest : public ::testing::Test, public LaunchedApp {
protected:
    ~AppStartTest() override { NSNotificationCenter::defaultCenter().removeObserver(this); }

    std::shared_ptr<OnboardKit::OnboardViewController> onboarding() {
        return std::dynamic_pointer_cast<OnboardKit::OnboardViewController>(drawer()->presentedViewController());
    }
};

}  // namespace

// Analytics first, or the start's events are dropped; the remote values and the history before
// the screens that show them; the privacy prompt over the introduction.
TEST_F(AppStartTest, FirstStartTakesItsStepsInOrderWithThePrivacyPromptOverTheIntroductionAndARestartKeepsAll) {
    holdRemoteValues(videoTutorials({"https://youtu.be/x"}));
    using Step = std::tuple<bool, size_t, bool>;  // analytics configured, history length, key window
    std::vector<Step> loads;
    auto note = [&](const auto&) {
        if (DispatchQueue::main().isCurrent())  // not a fetch of an earlier test finishing late
            loads.emplace_back(DDVApp::isDefaultAppConfigured(), CalcManager::shared().calculations.size(),
                               UIWindow::keyWindow() != nullptr);
    };
    for (const char* loaded : {"didLoadMenu", "didLoadVideoTutorialsData"})
        NSNotificationCenter::defaultCenter().addObserver(this, loaded, note);
    DDVApp::resetForTesting();
    launch();
    NSNotificationCenter::defaultCenter().removeObserver(this);
    EXPECT_EQ(loads, (std::vector<Step>{{true, 0, false}, {true, 0, false}}));

    ASSERT_TRUE(drawer());
    EXPECT_EQ(UIWindow::keyWindow(), app->window);
    EXPECT_EQ(pages().selectedIndex(), 0u);

    ASSERT_TRUE(onboarding());
    EXPECT_EQ(onboarding()->modalPresentationStyle(), UIModalPresentationStyle::OverFullScreen);
    EXPECT_FALSE(onboarding()->view()->hasRunningAnimations());  // presented without animation
    EXPECT_EQ(alertTitle(), NSLocalizedString("dsgvoTitle", ""));
    EXPECT_EQ(h.presentedAlert()->presentingViewController(), onboarding());

    ASSERT_EQ(CalcManager::shared().calculations.size(), 1u);

    // A restart keeps the history and the answers.
    ASSERT_TRUE(h.tapAlertAction(NSLocalizedString("dsgvoAccept", "")));
    restart();  // an introduction left before its end comes back
    ASSERT_TRUE(onboarding());
    for (int page = 0; page < 20 && onboarding(); ++page) ASSERT_TRUE(h.tap(onboarding()->advanceButton()));
    h.finishAnimations();
    ASSERT_FALSE(onboarding());
    enter("3", "-4");
    ASSERT_TRUE(tapCalculate());
    restart();
    EXPECT_EQ(h.topViewController(), drawer());
    const auto& history = CalcManager::shared().calculations;
    ASSERT_EQ(history.size(), 2u);  // not seeded again
    EXPECT_EQ(history[0].inputParameters, (std::map<std::string, std::string>{{"p", "3"}, {"q", "-4"}}));
    EXPECT_EQ(history[1].inputParameters.at("q"), "7/3");
    // The fields start empty: the last inputs live only as long as the process.
    EXPECT_EQ(p().text(), "");
}

TEST_F(AppStartTest, AnUnacceptedPolicyIsAskedForAloneOnTheDrawer) {
    launch(Answers{true, false});
    ASSERT_TRUE(h.presentedAlert());
    EXPECT_EQ(h.presentedAlert()->presentingViewController(), drawer());
    EXPECT_FALSE(onboarding());
}

// Every activation fetches, which loads the values again and so announces the app list once;
// the server is asked only when the last answer is six hours old.
TEST_F(AppStartTest, EveryActivationFetchesAndTheServerIsAskedAgainAfterSixHours) {
    LocalHttpServer server;
    server.respond(200, "{}");
    ScopedEnvironment endpoint(RADEvuvozUziduz::endpointEnvironmentVariable, server.url("/config"));
    // Also a fetch finishing on another thread announces.
    auto announced = std::make_shared<std::atomic<int>>(0);
    NSNotificationCenter::defaultCenter().addObserver(this, "didLoadMenu", [announced](const auto&) { ++*announced; });
    launch(Answers{});
    // Once while launching, once for the first activation's fetch. (A fetch of an earlier test
    // may still report here, so the count goes on from what has arrived by now.)
    ASSERT_TRUE(h.runUntil([&] { return *announced >= 2; }));
    h.runUntilIdle();
    EXPECT_EQ(server.requestCount(), 1u);
    int expected = *announced;
    // Activations at once, at 21,540 s and past 21,600 s after the answer.
    for (auto [wait, requests] : std::vector<std::pair<double, size_t>>{{0, 1}, {0, 1}, {21600 - 60, 1}, {120, 2}}) {
        h.advance(wait);
        h.cycleThroughBackground();
        ++expected;
        ASSERT_TRUE(h.runUntil([&] { return *announced >= expected; }));
        h.runUntilIdle();
        EXPECT_EQ(*announced, expected);
        EXPECT_EQ(server.requestCount(), requests) << "after " << wait << " s more";
    }
}
