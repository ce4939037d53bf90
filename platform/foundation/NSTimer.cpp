#include "platform/foundation/NSTimer.hpp"

#include <cmath>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"

namespace {
constexpr double shortestInterval = 0.0001;
}

NSTimer::NSTimer(double interval, bool repeats, Block block)
    : interval_(std::isfinite(interval) && interval > shortestInterval ? interval : shortestInterval),
      repeats_(repeats), block_(std::move(block)) {}

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval, bool repeats, Block block) {
    std::shared_ptr<NSTimer> timer(new NSTimer(interval, repeats, std::move(block)));
    timer->scheduleAt(DispatchClock::now() + timer->interval_);
    return timer;
}

void NSTimer::invalidate() { valid_ = false; }

void NSTimer::scheduleAt(double deadline) {
    // The run loop's reference is what keeps a timer nobody else holds.
    RunLoop::main().performAt(deadline, [self = shared_from_this(), deadline] { self->fireAt(deadline); });
}

void NSTimer::fireAt(double deadline) {
    if (!valid_) {
        block_ = nullptr;
        return;
    }
    if (!repeats_) valid_ = false;
    auto self = shared_from_this();
    if (block_) block_(self);
    if (!valid_) {
        block_ = nullptr;  // what the block captured goes now, not when the last holder does
        return;
    }
    double now = DispatchClock::now();
    double next = deadline + interval_;
    if (next <= now) next = deadline + (std::floor((now - deadline) / interval_) + 1) * interval_;
    scheduleAt(next);
}
