#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIPopoverPresentationController.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

// Records its life cycle into a shared log.
class LoggingController : public UIViewController {
public:
    LoggingController(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

    void viewDidLoad() override { log_.push_back(name_ + ".viewDidLoad"); }
    void viewWillAppear(bool) override { log_.push_back(name_ + ".viewWillAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + ".viewDidAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + ".viewWillDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + ".viewDidDisappear"); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class ListController : public UIViewController {
public:
    CGSize preferredContentSize() const override { return {80, 120}; }
};

class WantsFullScreen : public UIViewController {
public:
    UIModalPresentationStyle adaptivePresentationStyleForPresentationController(UIPopoverPresentationController&,
                                                                                const UITraitCollection&) override
    {
        return UIModalPresentationStyle::FullScreen;
    }
};

// A window showing a logging root controller, on the virtual clock so animations take no time.
class UIViewControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DispatchClock::useVirtualTime();
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
        log.clear();
    }
    void TearDown() override
    {
        RunLoop::main().runFor(60);
        DispatchClock::useRealTime();
    }
    std::shared_ptr<LoggingController> logging(const std::string& name) { return std::make_shared<LoggingController>(name, log); }
    // A list shown as a popover from an anchor on the root's view.
    std::shared_ptr<ListController> presentList(const std::shared_ptr<UIAdaptivePresentationControllerDelegate>& delegate)
    {
        root->view()->addSubview(anchor);
        auto list = std::make_shared<ListController>();
        list->setModalPresentationStyle(UIModalPresentationStyle::Popover);
        auto popover = list->popoverPresentationController();
        popover->setSourceView(anchor);
        popover->setSourceRect(anchor->bounds());
        popover->setDelegate(delegate);
        root->presentViewController(list, false);
        return list;
    }

    std::vector<std::string> log;
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    std::shared_ptr<LoggingController> root = logging("root");
    std::shared_ptr<UIView> anchor = std::make_shared<UIView>(CGRect{300, 100, 60, 40});
};

using Popover = UIViewControllerTest;

} // namespace

// A nib named after the class, found when none is named, is walked by the rating prompt end to end.
TEST(UIViewControllerDeathTest, AMissingNamedNibIsFatal)
{
    auto named = std::make_shared<UIViewController>(std::string("NoSuchNib"), nullptr);
    EXPECT_DEATH(named->view(), "NoSuchNib");
}

TEST_F(UIViewControllerTest, PresentationGoesUpToTheTopmostAncestorAndIsRefusedWhileBusyOrOffScreen)
{
    auto child = logging("child");
    root->addChildViewController(child);
    root->view()->addSubview(child->view());
    child->didMoveToParentViewController(root);
    auto first = std::make_shared<UIViewController>();
    bool firstDone = false;
    child->presentViewController(first, false, [&] { firstDone = true; });
    EXPECT_TRUE(firstDone); // without animation, complete before returning
    EXPECT_EQ(first->presentingViewController(), root);
    EXPECT_EQ(child->presentedViewController(), first);

    // A second presentation from anywhere in the same chain is refused, completion and all.
    auto second = std::make_shared<UIViewController>();
    bool secondDone = false;
    root->presentViewController(second, false, [&] { secondDone = true; });
    EXPECT_FALSE(secondDone);
    EXPECT_EQ(root->presentedViewController(), first);
    // The presented controller may present on top of itself.
    first->presentViewController(second, false);
    EXPECT_EQ(first->presentedViewController(), second);
    root->dismissViewControllerAnimated(false); // takes what the dismissed one presents with it
    EXPECT_EQ(first->presentedViewController(), nullptr);

    auto detached = std::make_shared<UIViewController>();
    detached->view();
    auto alert = std::make_shared<UIViewController>();
    detached->presentViewController(alert, false);
    EXPECT_EQ(alert->presentingViewController(), nullptr);
}

TEST_F(UIViewControllerTest, NothingMovesWhileAPresentationRunsAndDismissalUnlinksBeforeTheCompletion)
{
    auto prompt = logging("prompt");
    prompt->setModalPresentationStyle(UIModalPresentationStyle::OverCurrentContext);
    root->presentViewController(prompt, true);
    EXPECT_EQ(log, (std::vector<std::string>{"prompt.viewDidLoad", "prompt.viewWillAppear"}));
    auto thanks = std::make_shared<UIViewController>();
    prompt->dismissViewControllerAnimated(false);
    prompt->presentViewController(thanks, false);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(log.back(), "prompt.viewDidAppear");

    bool presentedInCompletion = false;
    prompt->dismissViewControllerAnimated(true, [&] {
        root->presentViewController(thanks, false);
        presentedInCompletion = root->presentedViewController() == thanks;
    });
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(presentedInCompletion);
    EXPECT_EQ(log.back(), "prompt.viewDidDisappear");
    // On screen the view fades out, taking no touches, and is then gone (back whole: the test below).
    EXPECT_FALSE(prompt->view()->isUserInteractionEnabled());
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(prompt->view()->superview(), nullptr);
}

// A screen that covers its presenter slides up and away, anything else fades in and out; the model
// is final at once. While it leaves, nothing but the animation holds its controller; shown again
// meanwhile, it comes back whole at once.
TEST_F(UIViewControllerTest, PresentedViewsSlideOrFadeInAndOutWhileTheModelIsFinal)
{
    for (auto style : {UIModalPresentationStyle::FullScreen, UIModalPresentationStyle::CurrentContext, UIModalPresentationStyle::OverCurrentContext}) {
        SCOPED_TRACE(static_cast<int>(style));
        bool slides = style != UIModalPresentationStyle::OverCurrentContext;
        auto shown = [&](UIView& v) { return slides ? v.presentationFrame().origin.y == 0 : v.presentationAlpha() == 1; };
        std::weak_ptr<UIViewController> watched;
        std::shared_ptr<UIView> view;
        {
            auto screen = std::make_shared<UIViewController>();
            screen->setModalPresentationStyle(style);
            root->presentViewController(screen, true);
            watched = screen;
            view = screen->view();
            EXPECT_EQ(view->frame(), window->bounds());
            EXPECT_EQ(view->alpha(), 1);
            EXPECT_EQ(slides ? view->presentationFrame().origin.y : view->presentationAlpha(), slides ? 800 : 0);
            RunLoop::main().runFor(0.15);
            EXPECT_FALSE(shown(*view));
            RunLoop::main().runFor(0.3);
            EXPECT_TRUE(shown(*view));
            screen->dismissViewControllerAnimated(true);
        }
        RunLoop::main().runFor(0.15);
        ASSERT_FALSE(watched.expired());
        EXPECT_EQ(view->superview(), window);
        EXPECT_FALSE(shown(*view));
        RunLoop::main().runFor(0.5);
        EXPECT_TRUE(watched.expired());
        EXPECT_EQ(view->superview(), nullptr);
    }

    auto prompt = std::make_shared<UIViewController>();
    prompt->setModalPresentationStyle(UIModalPresentationStyle::OverCurrentContext);
    root->presentViewController(prompt, false);
    prompt->dismissViewControllerAnimated(true);
    RunLoop::main().runFor(0.15);
    root->presentViewController(prompt, false);
    EXPECT_EQ(prompt->view()->superview(), window);
    EXPECT_EQ(prompt->view()->presentationAlpha(), 1);
    EXPECT_TRUE(prompt->view()->isUserInteractionEnabled());
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(prompt->view()->superview(), window) << "the old exit must not take it away";
}

// The view loads once, when first shown.
TEST_F(UIViewControllerTest, FullScreenPresentationCoversThePresenterInPlatformOrder)
{
    auto modal = logging("modal");
    modal->setModalPresentationStyle(UIModalPresentationStyle::FullScreen);
    EXPECT_FALSE(modal->isViewLoaded());
    root->presentViewController(modal, false);
    modal->dismissViewControllerAnimated(false);
    EXPECT_EQ(log, (std::vector<std::string>{"modal.viewDidLoad", "root.viewWillDisappear", "modal.viewWillAppear", "modal.viewDidAppear",
                                             "root.viewDidDisappear", "modal.viewWillDisappear", "root.viewWillAppear",
                                             "modal.viewDidDisappear", "root.viewDidAppear"}));
}

// Appearance forwarded only to children on screen, and once, is the drawer and tab containers' own test.
TEST_F(UIViewControllerTest, PresentedControllersAreReleasedWithTheirWindow)
{
    root->presentViewController(std::make_shared<UIViewController>(), false);
    std::vector<std::weak_ptr<UIViewController>> watched{root, root->presentedViewController()};
    root.reset();
    window.reset();
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(watched[0].expired() && watched[1].expired());
}

TEST_F(Popover, AControllerAsDelegateKeepsItAPopoverAtItsPreferredSizeByTheSource)
{
    auto list = presentList(root);
    EXPECT_EQ(root->appearanceState(), UIAppearanceState::Appeared); // not covered
    EXPECT_EQ(list->appearanceState(), UIAppearanceState::Appeared);

    // Below the anchor, centred on it but kept 8 points inside the window (the rest: the selection popup's test).
    auto container = list->popoverPresentationController()->containerView();
    ASSERT_TRUE(container);
    EXPECT_EQ(container->superview(), window);
    EXPECT_EQ(container->frame(), (CGRect{290, 140, 80, 120}));
    EXPECT_TRUE(list->view()->isDescendantOfView(container.get()));
    list->dismissViewControllerAnimated(false);
    EXPECT_EQ(container->superview(), nullptr);
    EXPECT_EQ(list->popoverPresentationController()->containerView(), nullptr);
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Pad); // there even without a delegate
    EXPECT_TRUE(presentList(nullptr)->popoverPresentationController()->containerView());
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Phone);
}

TEST_F(Popover, OnAPhoneItIsFullScreenWithoutADelegateOrWhenTheDelegateAsks)
{
    for (bool delegateAsks : {false, true}) {
        SCOPED_TRACE(delegateAsks ? "delegate asks for full screen" : "no delegate");
        auto asks = std::make_shared<WantsFullScreen>();
        auto list = presentList(delegateAsks ? asks : nullptr);
        EXPECT_EQ(list->popoverPresentationController()->containerView(), nullptr);
        EXPECT_EQ(list->view()->superview(), window);
        EXPECT_EQ(list->view()->frame(), window->bounds());
        EXPECT_EQ(root->appearanceState(), UIAppearanceState::Disappeared);
        list->dismissViewControllerAnimated(false);
        EXPECT_EQ(root->appearanceState(), UIAppearanceState::Appeared);
    }
}

TEST_F(Popover, PlacementGoesWhereThereIsRoom)
{
    const CGRect window{0, 0, 400, 800};
    const UIEdgeInsets safe{47, 0, 34, 0};
    // No room below a source near the bottom: above it.
    EXPECT_EQ(UIPopoverPresentationController::frameInWindow({100, 200}, {10, 700, 40, 40}, window, safe), (CGRect{8, 500, 100, 200}));
    // Nothing preferred: the default size.
    EXPECT_EQ(UIPopoverPresentationController::frameInWindow({0, 0}, {180, 100, 40, 40}, window, safe).size, (CGSize{320, 320}));
    // Too tall for either side: the larger side, cut to fit; too wide: the safe width.
    CGRect cut = UIPopoverPresentationController::frameInWindow({1000, 1000}, {0, 300, 400, 40}, window, safe);
    EXPECT_EQ(cut, (CGRect{8, 340, 384, 418}));
}
