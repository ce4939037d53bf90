#pragma once

#include "platform/uikit/CGGeometry.hpp"
#include "platform/uikit/UIColor.hpp"

namespace uikit {

// The platform's four timing curves, as cubic Bézier curves from (0, 0) to (1, 1).
enum class AnimationCurve { easeInOut, easeIn, easeOut, linear };

// When one animated change moves: it starts at begin (after any delay) and ends duration
// seconds later, both on DispatchClock.
struct AnimationTiming {
    double begin = 0;
    double duration = 0;
    AnimationCurve curve = AnimationCurve::easeInOut;

    double end() const { return begin + duration; }
    bool isFinishedAt(double now) const { return now >= end(); }
    // How far the value has moved at that time: 0 up to begin, 1 from the end on, along the
    // curve in between.
    double progressAt(double now) const;
};

// How far along the curve the value is after that fraction (0...1) of the duration.
double curveProgress(AnimationCurve curve, double fraction);

// Straight interpolation between two values; progress 0 gives from, 1 gives to.
CGFloat interpolate(CGFloat from, CGFloat to, double progress);
CGRect interpolate(const CGRect& from, const CGRect& to, double progress);
CGColor interpolate(const CGColor& from, const CGColor& to, double progress);

} // namespace uikit
