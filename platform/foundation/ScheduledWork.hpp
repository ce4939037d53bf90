#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <queue>
#include <vector>

namespace foundation {

// The pending work of one queue: work to run as soon as possible, in order, and timed work by
// deadline (equal deadlines keep their order). Not locked: its owner guards it.
class ScheduledWork {
public:
    void add(std::function<void()> work) { ready_.push_back(std::move(work)); }

    void addAt(double deadline, std::function<void()> work) {
        timers_.push(Timer{deadline, nextSequence_++, std::move(work)});
    }

    // The next work to run at time now: a due timer first (it has waited longest), then ready work.
    std::optional<std::function<void()>> takeNext(double now) {
        if (!timers_.empty() && timers_.top().deadline <= now) {
            std::function<void()> work = std::move(const_cast<Timer&>(timers_.top()).work);
            timers_.pop();
            return work;
        }
        if (!ready_.empty()) {
            std::function<void()> work = std::move(ready_.front());
            ready_.pop_front();
            return work;
        }
        return std::nullopt;
    }

    std::optional<double> nextDeadline() const {
        if (timers_.empty()) return std::nullopt;
        return timers_.top().deadline;
    }

    bool hasReadyWork() const { return !ready_.empty(); }
    bool empty() const { return ready_.empty() && timers_.empty(); }
    void dropTimers() { timers_ = {}; }

private:
    struct Timer {
        double deadline;
        std::uint64_t sequence;
        std::function<void()> work;
    };
    struct Later {
        bool operator()(const Timer& a, const Timer& b) const {
            return a.deadline != b.deadline ? a.deadline > b.deadline : a.sequence > b.sequence;
        }
    };

    std::deque<std::function<void()>> ready_;
    std::priority_queue<Timer, std::vector<Timer>, Later> timers_;
    std::uint64_t nextSequence_ = 0;
};

}  // namespace foundation
