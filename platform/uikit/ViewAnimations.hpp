#pragma once

#include <optional>

#include "platform/uikit/AnimationTiming.hpp"
#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIColor.hpp"

namespace uikit {

// The running animations of one view: for each animated property, where its presentation
// started and when it moves. The target is always the view's model value, read when drawn, so
// a dynamic colour follows the appearance even mid-animation.
struct ViewAnimations {
    template <class T>
    struct Track {
        T from;
        AnimationTiming timing;
    };
    std::optional<Track<CGFloat>> alpha;
    std::optional<Track<CGRect>> frame;
    std::optional<Track<CGColor>> backgroundColor;

    // Drops the tracks that have ended; answers whether any is left.
    bool discardFinished(double now);
    // When the last track ends; none without tracks.
    std::optional<double> end() const;
};

// The timing of the animation block being run (UIView::animateWithDuration), or null outside
// one. Main thread only, like the views.
const AnimationTiming* currentAnimationTiming();

// Opens an animation block for its lifetime; a block without timing (zero duration) makes the
// changes inside it apply at once, even within an outer block.
class AnimationBlockScope {
public:
    explicit AnimationBlockScope(std::optional<AnimationTiming> timing);
    ~AnimationBlockScope();
    AnimationBlockScope(const AnimationBlockScope&) = delete;
    AnimationBlockScope& operator=(const AnimationBlockScope&) = delete;

private:
    std::optional<AnimationTiming> timing_;
    const AnimationTiming* previous_;
};

} // namespace uikit
