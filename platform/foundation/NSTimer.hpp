#pragma once

#include <functional>
#include <memory>

// A timer on the main run loop, on DispatchClock (so a virtual clock drives it in tests). The
// run loop keeps a scheduled timer until it is invalidated or, without repeats, has fired:
// the caller need not hold it, and the block should hold its object weakly.
//
//     timer_ = NSTimer::scheduledTimerWithTimeInterval(1.0 / 30, true, weakly(this, [](auto self, auto&) {
//         self->advanceFrame();
//     }));
//     ...
//     timer_->invalidate();    // in the owner's teardown
//
// A repeating timer keeps its rhythm: it fires at start + n * interval, and when the loop was
// busy past one or more of those times it fires once and goes on with the next time ahead.
// Intervals of zero or less become 0.1 ms, as on the platform. Main thread only.
class NSTimer : public std::enable_shared_from_this<NSTimer> {
public:
    using Block = std::function<void(const std::shared_ptr<NSTimer>& timer)>;

    static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval(double interval, bool repeats, Block block);

    // Stops the timer for good; the run loop lets go of it (and of its block) at the next time it
    // would have fired. Safe to call from the block and more than once.
    void invalidate();
    bool isValid() const { return valid_; }
    double timeInterval() const { return interval_; }
    bool repeats() const { return repeats_; }

    NSTimer(const NSTimer&) = delete;
    NSTimer& operator=(const NSTimer&) = delete;

private:
    NSTimer(double interval, bool repeats, Block block);
    void scheduleAt(double deadline);
    void fireAt(double deadline);

    double interval_;
    bool repeats_;
    Block block_;
    bool valid_ = true;
};
