#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/ScheduledWork.hpp"

namespace foundation {

// The threads behind a background DispatchQueue. Its threads share ownership of it, so a queue
// released by its own work can let them finish without anyone joining them.
class DispatchWorker : public std::enable_shared_from_this<DispatchWorker> {
public:
    static std::shared_ptr<DispatchWorker> start(std::string label, int threadCount);
    ~DispatchWorker();

    // False once the worker is shutting down; the work is then dropped.
    bool add(std::function<void()> work, std::optional<double> deadline);
    bool isCurrentThread() const;

    // Lets queued work finish, drops delayed work, and ends the threads (joined, unless the
    // caller is one of them).
    void shutDown();

private:
    explicit DispatchWorker(std::string label);
    void runThread();

    std::string label_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    ScheduledWork work_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
    std::set<std::thread::id> threadIds_;
    std::uint64_t clockListener_ = 0;
};

}  // namespace foundation
