#include "platform/foundation/DispatchWorker.hpp"

#include <chrono>
#include <exception>
#include <iostream>

#include "platform/foundation/DispatchClock.hpp"

namespace foundation {

DispatchWorker::DispatchWorker(std::string label) : label_(std::move(label)) {}

std::shared_ptr<DispatchWorker> DispatchWorker::start(std::string label, int threadCount) {
    std::shared_ptr<DispatchWorker> worker(new DispatchWorker(std::move(label)));
    std::weak_ptr<DispatchWorker> weak = worker;
    worker->clockListener_ = DispatchClock::addListener([weak] {
        if (auto self = weak.lock()) {
            std::lock_guard lock(self->mutex_);
            self->changed_.notify_all();
        }
    });
    std::lock_guard lock(worker->mutex_);
    for (int i = 0; i < threadCount; ++i) {
        worker->threads_.emplace_back([self = worker] { self->runThread(); });
        worker->threadIds_.insert(worker->threads_.back().get_id());
    }
    return worker;
}

DispatchWorker::~DispatchWorker() = default;

bool DispatchWorker::add(std::function<void()> work, std::optional<double> deadline) {
    std::lock_guard lock(mutex_);
    if (stopping_) return false;
    if (deadline)
        work_.addAt(*deadline, std::move(work));
    else
        work_.add(std::move(work));
    changed_.notify_one();
    if (deadline) changed_.notify_all();  // an earlier deadline than the one being waited for
    return true;
}

bool DispatchWorker::isCurrentThread() const {
    std::lock_guard lock(mutex_);
    return threadIds_.count(std::this_thread::get_id()) != 0;
}

void DispatchWorker::runThread() {
    std::unique_lock lock(mutex_);
    for (;;) {
        double now = DispatchClock::now();
        if (auto next = work_.takeNext(now)) {
            lock.unlock();
            try {
                (*next)();
            } catch (const std::exception& error) {
                std::cerr << "Work on queue " << label_ << " ended with an exception: " << error.what() << std::endl;
            } catch (...) {
                std::cerr << "Work on queue " << label_ << " ended with an unknown exception" << std::endl;
            }
            next.reset();  // release what the work captured before taking the lock again
            lock.lock();
            continue;
        }
        if (stopping_) return;
        std::optional<double> deadline = work_.nextDeadline();
        if (!deadline || DispatchClock::isVirtual())
            changed_.wait(lock);
        else
            changed_.wait_for(lock, std::chrono::duration<double>(*deadline - now));
    }
}

void DispatchWorker::shutDown() {
    // Removed outside our own lock: the clock calls the listener with its list locked.
    DispatchClock::removeListener(clockListener_);
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        stopping_ = true;
        work_.dropTimers();
        threads.swap(threads_);
        changed_.notify_all();
    }
    for (std::thread& thread : threads) {
        if (thread.get_id() == std::this_thread::get_id())
            thread.detach();
        else
            thread.join();
    }
}

}  // namespace foundation
