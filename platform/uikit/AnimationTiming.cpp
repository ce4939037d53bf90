#include "platform/uikit/AnimationTiming.hpp"

#include <algorithm>
#include <cmath>

namespace uikit {

namespace {

struct ControlPoints {
    double x1, y1, x2, y2;
};

ControlPoints controlPoints(AnimationCurve curve)
{
    switch (curve) {
    case AnimationCurve::easeIn: return {0.42, 0, 1, 1};
    case AnimationCurve::easeOut: return {0, 0, 0.58, 1};
    case AnimationCurve::linear: return {0, 0, 1, 1};
    case AnimationCurve::easeInOut: break;
    }
    return {0.42, 0, 0.58, 1};
}

// One coordinate of the cubic Bézier with end points 0 and 1.
double bezier(double t, double p1, double p2)
{
    double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

} // namespace

double curveProgress(AnimationCurve curve, double fraction)
{
    if (!(fraction > 0)) {
        return 0;
    }
    if (fraction >= 1) {
        return 1;
    }
    if (curve == AnimationCurve::linear) {
        return fraction;
    }
    ControlPoints p = controlPoints(curve);
    // x(t) rises monotonically for these control points, so bisection finds the t whose x is
    // the elapsed fraction; 40 halvings are far below a pixel.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 40; ++i) {
        double mid = (low + high) / 2;
        if (bezier(mid, p.x1, p.x2) < fraction) {
            low = mid;
        } else {
            high = mid;
        }
    }
    return bezier((low + high) / 2, p.y1, p.y2);
}

double AnimationTiming::progressAt(double now) const
{
    if (now < begin) {
        return 0;
    }
    if (!(duration > 0) || now >= end()) {
        return 1;
    }
    return curveProgress(curve, (now - begin) / duration);
}

CGFloat interpolate(CGFloat from, CGFloat to, double progress)
{
    return from + (to - from) * progress;
}

CGRect interpolate(const CGRect& from, const CGRect& to, double progress)
{
    return {interpolate(from.origin.x, to.origin.x, progress), interpolate(from.origin.y, to.origin.y, progress),
            interpolate(from.size.width, to.size.width, progress), interpolate(from.size.height, to.size.height, progress)};
}

CGColor interpolate(const CGColor& from, const CGColor& to, double progress)
{
    return {interpolate(from.red, to.red, progress), interpolate(from.green, to.green, progress), interpolate(from.blue, to.blue, progress),
            interpolate(from.alpha, to.alpha, progress)};
}

} // namespace uikit
