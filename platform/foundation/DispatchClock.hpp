#pragma once

#include <cstdint>
#include <functional>

// The clock of delayed dispatch work, in seconds. It follows the monotonic system clock until a
// test switches it to virtual time; from then on it stands still except when the test advances
// it, so timed work runs without real waiting:
//
//     DispatchClock::useVirtualTime();
//     DispatchQueue::main().asyncAfter(2.0, work);
//     RunLoop::main().runFor(2.0);      // advances the clock and runs work on this thread
//
// Background queues watch the clock too: advancing it releases their due work.
class DispatchClock {
public:
    static double now();

    static void useVirtualTime();  // freezes the clock at the current time
    static void useRealTime();
    static bool isVirtual();

    // Moves virtual time forward (negative or non-finite steps are ignored); no effect in real time.
    static void advance(double seconds);

    // Called after every change of time or mode, so waiting threads look at the clock again.
    // The callback runs on the thread that changes the clock; it must not touch the clock's
    // listener list.
    static std::uint64_t addListener(std::function<void()> listener);
    static void removeListener(std::uint64_t id);
};
