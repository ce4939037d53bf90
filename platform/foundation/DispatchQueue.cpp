#include "platform/foundation/DispatchQueue.hpp"

#include <exception>
#include <future>
#include <stdexcept>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/DispatchWorker.hpp"
#include "platform/foundation/RunLoop.hpp"

namespace {
constexpr int globalQueueThreads = 4;
}

DispatchQueue::DispatchQueue(MainTag) : label_("main"), loop_(&RunLoop::main()) {}

DispatchQueue::DispatchQueue(std::string label) : DispatchQueue(std::move(label), 1) {}

DispatchQueue::DispatchQueue(std::string label, int threadCount)
    : label_(std::move(label)), worker_(foundation::DispatchWorker::start(label_, threadCount)) {}

DispatchQueue::~DispatchQueue() {
    if (worker_) worker_->shutDown();
}

DispatchQueue& DispatchQueue::main() {
    static DispatchQueue* queue = new DispatchQueue(MainTag{});
    return *queue;
}

DispatchQueue& DispatchQueue::global() {
    // Never destroyed: its threads may be busy while the process exits.
    static DispatchQueue* queue = new DispatchQueue("global", globalQueueThreads);
    return *queue;
}

void DispatchQueue::async(std::function<void()> work) {
    if (loop_)
        loop_->perform(std::move(work));
    else
        worker_->add(std::move(work), std::nullopt);  // dropped while the queue shuts down
}

void DispatchQueue::asyncAfter(double seconds, std::function<void()> work) {
    double deadline = DispatchClock::now() + (seconds > 0 ? seconds : 0);
    if (loop_)
        loop_->performAt(deadline, std::move(work));
    else
        worker_->add(std::move(work), deadline);
}

bool DispatchQueue::isCurrent() const { return loop_ ? RunLoop::isMainThread() : worker_->isCurrentThread(); }

void DispatchQueue::sync(const std::function<void()>& work) {
    if (isCurrent()) {
        work();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    auto task = [&work, &done] {
        try {
            work();
            done.set_value();
        } catch (...) {
            done.set_exception(std::current_exception());
        }
    };
    if (loop_)
        loop_->perform(task);
    else if (!worker_->add(task, std::nullopt))
        throw std::logic_error("sync on queue " + label_ + " while it shuts down");
    finished.get();
}
