#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/foundation/URLSession.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/testing/RecordingLinkOpener.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/LocalHttpServer.hpp"
#include "support/ScratchFolder.hpp"

using uikit::testing::Harness;
using Lines = std::vector<std::string>;

namespace {

Lines& events()
{
    static Lines log;
    return log;
}

class Screen : public UIViewController {
public:
    std::shared_ptr<UIButton> button = std::make_shared<UIButton>(CGRect{10, 10, 100, 40});
    std::shared_ptr<UITextField> field = std::make_shared<UITextField>(CGRect{10, 60, 200, 40});

    void viewDidLoad() override
    {
        button->setAccessibilityIdentifier("askButton");
        view()->addSubview(button);
        view()->addSubview(field);
        std::weak_ptr<UIViewController> weakSelf = std::static_pointer_cast<UIViewController>(shared_from_this());
        button->addAction(
            [weakSelf](const auto&) {
                auto alert = UIAlertController::alertControllerWithTitle("Sure?", std::nullopt, UIAlertControllerStyle::Alert);
                alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default, [weakSelf](const auto&) {
                    events().push_back(weakSelf.lock()->presentedViewController() ? "OK while shown" : "OK after dismissal");
                }));
                weakSelf.lock()->presentViewController(alert, true);
            },
            UIControlEventTouchUpInside);
    }
    void viewDidAppear(bool) override { events().push_back("appeared"); }
};

class Delegate : public UIResponder, public UIApplicationDelegate {
public:
    std::shared_ptr<UIWindow> window;
    bool applicationDidFinishLaunchingWithOptions(UIApplication&, const UIApplicationLaunchOptions&) override
    {
        events().push_back("launched");
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window->setRootViewController(std::make_shared<Screen>());
        window->makeKeyAndVisible();
        return true;
    }
    void applicationDidBecomeActive(UIApplication&) override { events().push_back("active"); }
    void applicationDidEnterBackground(UIApplication&) override { events().push_back("background"); }
    void applicationWillEnterForeground(UIApplication&) override { events().push_back("foreground"); }
    void applicationWillResignActive(UIApplication&) override { events().push_back("resign"); }
    void applicationWillTerminate(UIApplication&) override { events().push_back("terminate"); }
};

class HarnessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events().clear();
        folder.useAsAppDataDirectory();
        NSUserDefaults::resetStandardUserDefaultsForTesting();
    }
    void TearDown() override { NSUserDefaults::resetStandardUserDefaultsForTesting(); }
    ScratchFolder folder;
    Harness h;
};

} // namespace

TEST_F(HarnessTest, TheLifeCycleRunsInOrderAndARestartKeepsDefaultsAndLinkHandlersButNothingElse)
{
    int activations = 0; // the observer goes with the restart below
    NSNotificationCenter::defaultCenter().addObserverForName(UIApplicationDidBecomeActiveNotification, [&](const auto&) { ++activations; });
    auto first = h.launch<Delegate>();
    EXPECT_EQ(events(), (Lines{"launched", "active", "appeared"}));
    events().clear();
    h.cycleThroughBackground();
    h.enterBackground();
    h.becomeActive(); // by way of the foreground
    EXPECT_EQ(events(), (Lines{"resign", "background", "foreground", "active", "resign", "background", "foreground", "active"}));
    EXPECT_EQ(activations, 3);

    std::weak_ptr<Delegate> weakFirst = first;
    first.reset();
    NSUserDefaults::standardUserDefaults()->setBool(true, "isOnboardingFinished");
    auto rating = *URL::string("https://radixel.example/rate");
    h.linkOpener().installURLHandler("https");
    // What the old process registered or left queued dies with it (once-only objects: the calc manager's test).
    bool heardAfterRestart = false;
    bool ranAfterRestart = false;
    NSNotificationCenter::defaultCenter().addObserverForName("didLoadMenu", [&](const NSNotification&) { heardAfterRestart = true; });
    DispatchQueue::main().asyncAfter(5.0, [&] { ranAfterRestart = true; });

    events().clear();
    h.enterBackground(); // quitting from there is heard too
    h.simulateRestart();
    NSNotificationCenter::defaultCenter().postNotificationName("didLoadMenu");
    h.advance(10.0);
    EXPECT_FALSE(heardAfterRestart);
    EXPECT_FALSE(ranAfterRestart);
    EXPECT_EQ(events(), (Lines{"resign", "background", "terminate"}));
    EXPECT_TRUE(weakFirst.expired());
    EXPECT_EQ(h.window(), nullptr);
    EXPECT_TRUE(NSUserDefaults::standardUserDefaults()->boolForKey("isOnboardingFinished"));
    // Links are recorded, not opened.
    h.application().openURL(rating, {}, nullptr);
    EXPECT_EQ(h.linkOpener().openedURLs(), (Lines{"https://radixel.example/rate"}));
}

TEST_F(HarnessTest, TapsReachTheFrontmostViewThatTakesTouchesAndAlertsAnswerAfterDismissal)
{
    h.launch<Delegate>();
    events().clear();
    auto overlay = std::make_shared<UIView>(h.window()->frame());
    h.window()->addSubview(overlay);
    EXPECT_FALSE(h.tapAccessibilityIdentifier("askButton"));
    overlay->removeFromSuperview();
    h.window()->addSubview(std::make_shared<UILabel>(h.window()->frame())); // takes no touches
    ASSERT_TRUE(h.tapAccessibilityIdentifier("askButton"));
    ASSERT_TRUE(h.presentedAlert());
    // The alert fades in; finishing the animations (which every screen test does) shows it whole.
    EXPECT_LT(h.presentedAlert()->view()->presentationAlpha(), 1);
    h.finishAnimations();
    EXPECT_EQ(h.presentedAlert()->view()->presentationAlpha(), 1);

    // The alert covers the screen, even where it takes no touches: the button cannot be reached.
    h.presentedAlert()->view()->setUserInteractionEnabled(false);
    EXPECT_FALSE(h.tapAccessibilityIdentifier("askButton"));
    EXPECT_FALSE(h.tapAlertAction("Cancel"));
    EXPECT_TRUE(h.tapAlertAction("OK"));
    EXPECT_EQ(events(), (Lines{"OK after dismissal"}));
    EXPECT_EQ(h.presentedAlert(), nullptr);

    auto field = std::dynamic_pointer_cast<Screen>(h.rootViewController())->field;
    field->setText("123");
    ASSERT_TRUE(h.focus(field, 2));
    field->replaceRange(*field->selectedTextRange(), "5");
    EXPECT_EQ(field->text(), "1253");
    for (auto spoil : {+[](UITextField& f, bool on) { f.setHidden(on); }, +[](UITextField& f, bool on) { f.setAlpha(!on); },
                        +[](UITextField& f, bool on) { f.setEnabled(!on); }, +[](UITextField& f, bool on) { f.setUserInteractionEnabled(!on); }}) {
        spoil(*field, true);
        EXPECT_FALSE(h.focus(field)); // hidden, faded out, disabled, taking no touches
        spoil(*field, false);
    }
    h.terminate(); // while active: resigns first
    EXPECT_EQ(events(), (Lines{"OK after dismissal", "resign", "terminate"}));
}

TEST_F(HarnessTest, RunUntilWaitsForAnotherThreadAndMovesTheClockToTimersWithinItsBudget)
{
    LocalHttpServer server;
    server.respond(200, "ok");
    std::optional<std::string> body;
    auto task = URLSession::sharedSession().dataTaskWithURL(
        server.url("/check"), [&](auto data, auto, auto) { DispatchQueue::main().async([&body, data] { body = data; }); });
    task->resume();
    EXPECT_TRUE(h.runUntil([&] { return body.has_value(); }));
    EXPECT_EQ(body, "ok");

    // Work that waits on the virtual clock needs no other thread: the clock moves to it.
    bool fired = false;
    DispatchQueue::main().asyncAfter(3.0, [&] { fired = true; });
    EXPECT_TRUE(h.runUntil([&] { return fired; }));
    // A timer beyond the budget does not fire, and a predicate that never holds answers false.
    bool late = false;
    DispatchQueue::main().asyncAfter(60.0, [&] { late = true; });
    EXPECT_FALSE(h.runUntil([&] { return late; }, 0.05));
}

// That an installed scheme opens and the opener records it is the harness's test above.
TEST(UIApplication, LinksOpenOnlyThroughAnOpenerThatTakesThemAndAnswerOnTheNextTurn)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    auto store = *URL::string("https://example.org/store");
    std::optional<bool> handed;
    auto open = [&](const URL& url) { app.openURL(url, {}, [&](bool ok) { handed = ok; }); };
    // No opener (headless, outside the harness): nothing opens, the completion hears so.
    EXPECT_FALSE(app.canOpenURL(store));
    open(store);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(handed, false);

    auto opener = std::make_shared<uikit::testing::RecordingLinkOpener>();
    app.setLinkOpener(opener);
    opener->installURLHandler("RadixelPro"); // schemes match in any case
    EXPECT_TRUE(app.canOpenURL(*URL::string("radixelpro://open")));
    EXPECT_FALSE(app.canOpenURL(store));
    open(store); // not taken: not handed on
    opener->installURLHandler("https://example.org/store");
    handed.reset();
    open(store);
    EXPECT_FALSE(handed.has_value());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(handed, true);
    EXPECT_EQ(opener->openedURLs(), (std::vector<std::string>{"https://example.org/store"}));
    UIApplication::resetSharedApplication();
}
