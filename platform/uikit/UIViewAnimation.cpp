#include <cmath>

#include "platform/foundation/DispatchQueue.hpp"
#include "platform/uikit/UIView.hpp"

// Headless animation: the new values apply at once; the completion follows when the animation
// would have ended on the run loop's clock, so timed behaviour (a fade that ends after 2 s)
// stays observable.
void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions /*options*/, const std::function<void()>& animations,
                                 std::function<void(bool)> completion)
{
    double total = (std::isfinite(duration) ? std::max(0.0, duration) : 0.0) + (std::isfinite(delay) ? std::max(0.0, delay) : 0.0);
    if (animations) {
        animations();
    }
    if (completion) {
        DispatchQueue::main().asyncAfter(total, [completion = std::move(completion)] { completion(true); });
    }
}

void UIView::animateWithDuration(double duration, const std::function<void()>& animations, std::function<void(bool)> completion)
{
    animateWithDuration(duration, 0, UIViewAnimationOptionCurveEaseInOut, animations, std::move(completion));
}
