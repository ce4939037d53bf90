#include "platform/foundation/RunLoop.hpp"

#include <chrono>
#include <cmath>
#include <exception>
#include <iostream>
#include <thread>

#include "platform/foundation/DispatchClock.hpp"

namespace {

// Dynamic initialisation of this file runs before main(), on the thread that starts the program.
const std::thread::id processMainThread = std::this_thread::get_id();

void runGuarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        std::cerr << "Main queue work ended with an exception: " << error.what() << std::endl;
    } catch (...) {
        std::cerr << "Main queue work ended with an unknown exception" << std::endl;
    }
}

}  // namespace

RunLoop::RunLoop() {
    clockListener_ = DispatchClock::addListener([this] {
        std::lock_guard lock(mutex_);
        changed_.notify_all();
    });
}

RunLoop& RunLoop::main() {
    // Never destroyed: background threads may still post to it while the process exits.
    static RunLoop* loop = new RunLoop();
    return *loop;
}

bool RunLoop::isMainThread() { return std::this_thread::get_id() == processMainThread; }

void RunLoop::perform(std::function<void()> work) { add(std::move(work), std::nullopt); }

void RunLoop::performAt(double deadline, std::function<void()> work) { add(std::move(work), deadline); }

void RunLoop::add(std::function<void()> work, std::optional<double> deadline) {
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(mutex_);
        if (deadline)
            work_.addAt(*deadline, std::move(work));
        else
            work_.add(std::move(work));
        wakeUp = wakeUp_;
        changed_.notify_all();
    }
    if (wakeUp) wakeUp();
}

bool RunLoop::runOne() {
    std::optional<std::function<void()>> next;
    {
        std::lock_guard lock(mutex_);
        next = work_.takeNext(DispatchClock::now());
    }
    if (!next) return false;
    runGuarded(*next);
    return true;
}

void RunLoop::discardPendingWorkForTesting() {
    foundation::ScheduledWork discarded;
    {
        std::lock_guard lock(mutex_);
        std::swap(discarded, work_);
    }
    // The work is destroyed outside the lock: what it captured may post again as it goes.
}

std::size_t RunLoop::runUntilIdle() {
    std::size_t count = 0;
    while (runOne()) ++count;
    return count;
}

void RunLoop::waitForWork(std::optional<double> until) {
    std::unique_lock lock(mutex_);
    double now = DispatchClock::now();
    if (stopRequested_ || work_.hasReadyWork()) return;
    std::optional<double> deadline = work_.nextDeadline();
    if (until && (!deadline || *until < *deadline)) deadline = until;
    if (deadline && *deadline <= now) return;
    if (!deadline || DispatchClock::isVirtual()) {
        // Virtual time moves only when someone advances it; the clock listener wakes us then.
        changed_.wait(lock);
        return;
    }
    changed_.wait_for(lock, std::chrono::duration<double>(*deadline - now));
}

bool RunLoop::waitForRunnableWork(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::duration<double>(seconds), [this] {
        std::optional<double> deadline = work_.nextDeadline();
        return work_.hasReadyWork() || (deadline && *deadline <= DispatchClock::now());
    });
}

namespace {
constexpr double deadlineSlack = 1e-9;
}  // namespace

void RunLoop::runFor(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    double end = DispatchClock::now() + seconds;
    if (DispatchClock::isVirtual()) {
        for (;;) {
            runUntilIdle();
            std::optional<double> next;
            {
                std::lock_guard lock(mutex_);
                next = work_.nextDeadline();
            }
            double now = DispatchClock::now();
            // Work due at the very end is due: sums of the same times may differ in the last bit.
            if (!next || *next > end + deadlineSlack) {
                if (end > now) DispatchClock::advance(end - now);
                runUntilIdle();
                return;
            }
            if (*next > now) DispatchClock::advance(*next - now);
        }
    }
    while (DispatchClock::now() < end) {
        runUntilIdle();
        waitForWork(end);
    }
    runUntilIdle();
}

void RunLoop::run() {
    for (;;) {
        runUntilIdle();
        {
            std::lock_guard lock(mutex_);
            if (stopRequested_) {
                stopRequested_ = false;
                return;
            }
        }
        waitForWork(std::nullopt);
    }
}

void RunLoop::stop() {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
    changed_.notify_all();
}

std::optional<double> RunLoop::secondsUntilNextWork() const {
    std::lock_guard lock(mutex_);
    if (work_.hasReadyWork()) return 0.0;
    std::optional<double> deadline = work_.nextDeadline();
    if (!deadline) return std::nullopt;
    double remaining = *deadline - DispatchClock::now();
    return remaining > 0 ? remaining : 0.0;
}

void RunLoop::setWakeUpHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    wakeUp_ = std::move(handler);
}
