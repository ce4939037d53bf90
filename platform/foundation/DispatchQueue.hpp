#pragma once

#include <functional>
#include <memory>
#include <string>

class RunLoop;

namespace foundation {
class DispatchWorker;
}

// A queue of work. The main queue runs on the main thread through RunLoop::main(); every other
// queue owns its threads: a queue made with a label is serial (one thread, work in order), the
// global queue runs its work on a few threads at once.
//
// Work that throws is reported on standard error and does not stop the queue. Delays follow
// DispatchClock, so tests advance time instead of sleeping.
class DispatchQueue {
public:
    static DispatchQueue& main();
    static DispatchQueue& global();

    explicit DispatchQueue(std::string label);
    // Finishes the work already queued (not the pending delayed work), then ends the thread.
    ~DispatchQueue();

    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    const std::string& label() const { return label_; }

    void async(std::function<void()> work);

    // Runs work on the queue and returns when it is done, passing on what it throws. Called from
    // the queue's own thread it runs the work at once instead of waiting for itself forever.
    // On the main queue from another thread, it waits until the main thread runs its loop.
    void sync(const std::function<void()>& work);

    // Runs work after seconds on DispatchClock (not before; 0 or less means as soon as possible).
    void asyncAfter(double seconds, std::function<void()> work);

    // Whether the caller runs on one of this queue's threads.
    bool isCurrent() const;

private:
    struct MainTag {};
    explicit DispatchQueue(MainTag);
    DispatchQueue(std::string label, int threadCount);

    std::string label_;
    RunLoop* loop_ = nullptr;
    std::shared_ptr<foundation::DispatchWorker> worker_;
};
