#include <algorithm>
#include <cmath>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/RunningAnimations.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/ViewAnimations.hpp"

namespace uikit {

namespace {

const AnimationTiming*& openBlockTiming()
{
    static const AnimationTiming* timing = nullptr;
    return timing;
}

AnimationCurve curveFromOptions(UIViewAnimationOptions options)
{
    switch (options & UIViewAnimationOptionCurveLinear) {
    case UIViewAnimationOptionCurveEaseIn: return AnimationCurve::easeIn;
    case UIViewAnimationOptionCurveEaseOut: return AnimationCurve::easeOut;
    case UIViewAnimationOptionCurveLinear: return AnimationCurve::linear;
    default: return AnimationCurve::easeInOut;
    }
}

double nonNegativeSeconds(double seconds)
{
    return std::isfinite(seconds) ? std::max(0.0, seconds) : 0.0;
}

template <class T>
void dropIfFinished(std::optional<ViewAnimations::Track<T>>& track, double now)
{
    if (track && track->timing.isFinishedAt(now)) {
        track.reset();
    }
}

template <class T>
void extendEnd(std::optional<double>& end, const std::optional<ViewAnimations::Track<T>>& track)
{
    if (track) {
        end = std::max(end.value_or(track->timing.end()), track->timing.end());
    }
}

} // namespace

const AnimationTiming* currentAnimationTiming()
{
    return openBlockTiming();
}

AnimationBlockScope::AnimationBlockScope(std::optional<AnimationTiming> timing) : timing_(timing), previous_(openBlockTiming())
{
    openBlockTiming() = timing_ ? &*timing_ : nullptr;
}

AnimationBlockScope::~AnimationBlockScope()
{
    openBlockTiming() = previous_;
}

bool ViewAnimations::discardFinished(double now)
{
    dropIfFinished(alpha, now);
    dropIfFinished(frame, now);
    dropIfFinished(backgroundColor, now);
    return alpha || frame || backgroundColor;
}

std::optional<double> ViewAnimations::end() const
{
    std::optional<double> last;
    extendEnd(last, alpha);
    extendEnd(last, frame);
    extendEnd(last, backgroundColor);
    return last;
}

} // namespace uikit

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions options, const std::function<void()>& animations,
                                 std::function<void(bool)> completion)
{
    // One end time for the tracks and the completion, so the completion never runs before the
    // tracks have finished.
    uikit::AnimationTiming timing{DispatchClock::now() + uikit::nonNegativeSeconds(delay), uikit::nonNegativeSeconds(duration),
                                  uikit::curveFromOptions(options)};
    if (animations) {
        uikit::AnimationBlockScope block(timing.duration > 0 ? std::optional(timing) : std::nullopt);
        animations();
    }
    if (completion) {
        RunLoop::main().performAt(timing.end(), [completion = std::move(completion)] { completion(true); });
    }
}

void UIView::animateWithDuration(double duration, const std::function<void()>& animations, std::function<void(bool)> completion)
{
    animateWithDuration(duration, 0, UIViewAnimationOptionCurveEaseInOut, animations, std::move(completion));
}

uikit::ViewAnimations* UIView::animationsToRecord()
{
    if (!uikit::currentAnimationTiming()) {
        return nullptr;
    }
    auto self = weak_from_this().lock();
    if (!self) {
        // Not owned yet (still being made): nothing is on screen to move from.
        return nullptr;
    }
    if (!animations_) {
        animations_ = std::make_unique<uikit::ViewAnimations>();
    }
    uikit::RunningAnimations::add(std::static_pointer_cast<UIView>(self));
    return animations_.get();
}

CGFloat UIView::presentationAlpha() const
{
    if (!animations_ || !animations_->alpha) {
        return alpha_;
    }
    const auto& track = *animations_->alpha;
    return uikit::interpolate(track.from, alpha_, track.timing.progressAt(DispatchClock::now()));
}

CGRect UIView::presentationFrame() const
{
    if (!animations_ || !animations_->frame) {
        return frame_;
    }
    const auto& track = *animations_->frame;
    return uikit::interpolate(track.from, frame_, track.timing.progressAt(DispatchClock::now()));
}

std::optional<CGColor> UIView::presentationBackgroundColor() const
{
    std::optional<CGColor> model = backgroundColor_ ? std::optional(backgroundColor_->cgColor()) : std::nullopt;
    if (!animations_ || !animations_->backgroundColor) {
        return model;
    }
    const auto& track = *animations_->backgroundColor;
    double now = DispatchClock::now();
    if (track.timing.isFinishedAt(now)) {
        return model;
    }
    CGColor to = model.value_or(CGColor{track.from.red, track.from.green, track.from.blue, 0});
    return uikit::interpolate(track.from, to, track.timing.progressAt(now));
}

bool UIView::hasRunningAnimations() const
{
    if (!animations_) {
        return false;
    }
    auto end = animations_->end();
    return end && DispatchClock::now() < *end;
}
