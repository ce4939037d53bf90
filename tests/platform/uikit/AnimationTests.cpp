#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/AnimationTiming.hpp"
#include "platform/uikit/RunningAnimations.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

namespace {

// Animations run on the harness's virtual clock, so a test waits for them without waiting.
class UIViewAnimation : public ::testing::Test {
protected:
    uikit::testing::Harness h;
};

} // namespace

TEST_F(UIViewAnimation, TheModelAnswersTheTargetAtOnceWhileTheDelayAndTheCurveShapeWhatIsShown)
{
    auto faded = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    auto moved = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    std::vector<bool> finished;
    UIView::animateWithDuration(2.0, [&] { faded->setAlpha(0); }, [&](bool done) { finished.push_back(done); });
    UIView::animateWithDuration(1.0, 0.5, UIViewAnimationOptionCurveEaseOut, [&] { moved->setFrame({100, 0, 100, 60}); }, nullptr);
    EXPECT_EQ(faded->alpha(), 0);
    EXPECT_EQ(faded->presentationAlpha(), 1);
    EXPECT_TRUE(faded->hasRunningAnimations());
    EXPECT_EQ(moved->frame(), (CGRect{100, 0, 100, 60}));
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(moved->presentationFrame(), (CGRect{0, 0, 100, 100})); // the delay holds the old value

    RunLoop::main().runFor(0.5);
    EXPECT_NEAR(faded->presentationAlpha(), 0.5, 1e-6); // ease in and out is symmetric
    // Ease-out covers more than half the way in the first half of the time.
    EXPECT_GT(moved->presentationFrame().origin.x, 50);
    EXPECT_LT(moved->presentationFrame().origin.x, 100);
    EXPECT_LT(moved->presentationFrame().size.height, 80);

    RunLoop::main().runFor(1.0);
    EXPECT_FALSE(faded->hasRunningAnimations());
    EXPECT_EQ(finished, std::vector<bool>{true});
    EXPECT_FALSE(uikit::RunningAnimations::any());
    EXPECT_LT(uikit::curveProgress(uikit::AnimationCurve::easeIn, 0.5), 0.5);
    EXPECT_EQ(uikit::curveProgress(uikit::AnimationCurve::easeIn, 1), 1);
}

TEST_F(UIViewAnimation, ANewAnimationStartsFromWhereTheOldOneHadGotAndColoursBlendInAndOut)
{
    auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    auto linear = [](const std::function<void()>& change) {
        UIView::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, change, nullptr);
    };
    linear([&] { view->setAlpha(0); });
    RunLoop::main().runFor(0.5);
    linear([&] { view->setAlpha(1); });
    EXPECT_NEAR(view->presentationAlpha(), 0.5, 1e-9);
    RunLoop::main().runFor(0.5);
    EXPECT_NEAR(view->presentationAlpha(), 0.75, 1e-9);

    // A colour appears from clear, blends into the next, and fades out when there is to be none.
    linear([&] { view->setBackgroundColor(UIColor::redColor()); });
    RunLoop::main().runFor(0.5);
    EXPECT_TRUE(uikit::RunningAnimations::any()); // a colour alone keeps the view animating
    EXPECT_EQ(view->presentationBackgroundColor(), (CGColor{1, 0, 0, 0.5}));
    linear([&] { view->setBackgroundColor(UIColor::blueColor()); });
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(view->presentationBackgroundColor(), (CGColor{0, 0, 1, 1}));
    linear([&] { view->setBackgroundColor(std::nullopt); });
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(view->presentationBackgroundColor(), (CGColor{0, 0, 1, 0.5}));
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(view->presentationBackgroundColor(), std::nullopt);
}

TEST_F(UIViewAnimation, ZeroDurationAndViewsNotYetOwnedApplyAtOnce)
{
    auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    bool done = false;
    UIView::animateWithDuration(
        1.0,
        [&] {
            UIView::animateWithDuration(0, [&] { view->setAlpha(0.2); });
            view->setFrame({0, 0, 20, 10}); // the outer block animates again
            // A view made inside the block has nothing on screen to move from.
            UIView loose(CGRect{0, 0, 5, 5});
            loose.setAlpha(0.3);
            EXPECT_EQ(loose.presentationAlpha(), 0.3);
        },
        [&](bool) { done = true; });
    EXPECT_EQ(view->presentationAlpha(), 0.2);
    EXPECT_EQ(view->presentationFrame().size.width, 10);
    RunLoop::main().runFor(1.0);
    EXPECT_TRUE(done);
}

TEST_F(UIViewAnimation, AnAnimationKeepsOnlyWhatItsCompletionHolds)
{
    // Nothing but the animation refers to the view: it goes at once, and nothing runs for it.
    std::weak_ptr<UIView> weakLoose;
    {
        auto loose = std::make_shared<UIView>();
        weakLoose = loose;
        UIView::animateWithDuration(5.0, [loose] { loose->setAlpha(0); }, nullptr);
    }
    EXPECT_TRUE(weakLoose.expired());
    EXPECT_FALSE(uikit::RunningAnimations::any());

    // A completion keeps what it holds until it has run (the toast's fade: the view manager's test).
    auto toast = std::make_shared<UIView>();
    std::weak_ptr<UIView> weakToast = toast;
    UIView::animateWithDuration(2.0, 0.5, UIViewAnimationOptionCurveEaseOut, [toast] { toast->setFrame({0, 0, 10, 10}); }, [toast](bool) {});
    auto sooner = std::make_shared<UIView>(); // the last end counts
    UIView::animateWithDuration(2.45, [sooner] { sooner->setAlpha(0); }, nullptr);
    toast.reset();
    RunLoop::main().runFor(2.4);
    EXPECT_FALSE(weakToast.expired());
    ASSERT_TRUE(uikit::RunningAnimations::latestEnd());
    EXPECT_NEAR(*uikit::RunningAnimations::latestEnd() - DispatchClock::now(), 0.1, 1e-9);
    RunLoop::main().runFor(0.1);
    EXPECT_TRUE(weakToast.expired());
}
