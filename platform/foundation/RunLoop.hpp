#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

#include "platform/foundation/ScheduledWork.hpp"

// The main thread's run loop: it runs the work of DispatchQueue::main(), ready work in order and
// timed work when the DispatchClock reaches its deadline. The application's event loop calls
// runUntilIdle() between events; tests drive it by hand, together with a virtual clock:
//
//     RunLoop::main().runUntilIdle();   // everything ready now, including work it adds
//     RunLoop::main().runFor(0.5);      // virtual clock: advance 0.5 s, running timers on the way
class RunLoop {
public:
    static RunLoop& main();

    // Whether the caller is the process's main thread (the one that started the program).
    static bool isMainThread();

    void perform(std::function<void()> work);
    void performAt(double deadline, std::function<void()> work);  // deadline on DispatchClock

    // Runs ready work and due timers until none is left; returns how many ran.
    std::size_t runUntilIdle();

    // Virtual clock: advances it by seconds, stopping at each timer deadline on the way to run
    // what is due. Real clock: runs work as it comes for that long.
    void runFor(double seconds);

    // Runs work as it comes until stop() is called (from any thread, or from work on the loop).
    void run();
    void stop();

    // Waits up to seconds of real time, whatever the clock, until work can run now (posted from
    // another thread, or a timer that came due); answers whether some can. Tests use it to give
    // another thread a moment without advancing a virtual clock.
    bool waitForRunnableWork(double seconds);

    // Seconds until the earliest timer (0 when one is due or ready work waits), none when idle.
    std::optional<double> secondsUntilNextWork() const;

    // Called on the posting thread whenever work is added, so a loop that sleeps in some other
    // wait (a window system's event wait) can wake up and call runUntilIdle().
    void setWakeUpHandler(std::function<void()> handler);

    // A simulated restart of the program: work the old "process" left queued never runs.
    void discardPendingWorkForTesting();

    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

private:
    RunLoop();
    void add(std::function<void()> work, std::optional<double> deadline);
    bool runOne();
    void waitForWork(std::optional<double> until);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    foundation::ScheduledWork work_;
    std::function<void()> wakeUp_;
    bool stopRequested_ = false;
    std::uint64_t clockListener_ = 0;
};
