#include <gtest/gtest.h>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIView.hpp"

TEST(UIViewAnimation, ValuesApplyAtOnceAndTheCompletionFollowsAfterDelayPlusDuration)
{
    DispatchClock::useVirtualTime();
    auto parent = std::make_shared<UIView>();
    auto toast = std::make_shared<UIView>();
    parent->addSubview(toast);
    std::weak_ptr<UIView> weakToast = toast;
    UIView::animateWithDuration(
        2.0, 0.5, UIViewAnimationOptionCurveEaseOut, [toast] { toast->setAlpha(0); },
        [toast](bool finished) {
            EXPECT_TRUE(finished);
            toast->removeFromSuperview();
        });
    toast.reset(); // only the animation keeps it now, besides its superview
    ASSERT_FALSE(weakToast.expired());
    EXPECT_EQ(weakToast.lock()->alpha(), 0);

    RunLoop::main().runFor(2.4);
    EXPECT_EQ(parent->subviews().size(), 1u);
    RunLoop::main().runFor(0.2);
    EXPECT_TRUE(parent->subviews().empty());
    EXPECT_TRUE(weakToast.expired());
    DispatchClock::useRealTime();
}
