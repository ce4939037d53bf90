#pragma once

#include <coroutine>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

// Structured concurrency on the main thread: coroutines that run on the main queue and
// suspend only where they await (a timed sleep, or another task). While suspended, the main
// loop serves other work, so the interface stays answerable.
//
//     Task<> shareSteps(Table& t) { ...; co_await Task<>::sleep(2'000'000'000); ... }
//     TaskHandle h = Task<>::run(TaskPriority::UserInitiated, [&] { return shareSteps(t); });
//
// A started task begins on the next turn of the main queue, after the current work returns.
// Cancelling a task makes its pending and future sleeps throw CancellationError at once.

enum class TaskPriority : int { Background = 9, Utility = 17, Low = 17, Medium = 21, High = 25, UserInitiated = 25 };

class CancellationError : public std::runtime_error {
public:
    CancellationError() : std::runtime_error("CancellationError()") {}
};

namespace uikit::detail {

struct TaskState {
    bool cancelled = false;
    bool finished = false;
    std::exception_ptr failure;
    std::function<void()> wakeForCancel;
    std::function<void()> releaseRoot;
};

// The task whose coroutine runs now, if any (main thread only).
std::shared_ptr<TaskState>& currentTask();

// Resumes a coroutine as part of a task, with that task as the current one.
void resumeInTask(const std::shared_ptr<TaskState>& state, std::coroutine_handle<> handle);

void enqueueOnMain(std::function<void()> work);
void enqueueOnMainAfter(double seconds, std::function<void()> work);

template <class T>
struct ResultHolder {
    std::optional<T> value;
    template <class U>
    void return_value(U&& v)
    {
        value.emplace(std::forward<U>(v));
    }
    T take() { return std::move(*value); }
};

template <>
struct ResultHolder<void> {
    void return_void() {}
    void take() {}
};

} // namespace uikit::detail

// Handle of a started task: cancel it or ask how it is doing. Does not keep it alive.
class TaskHandle {
public:
    TaskHandle() = default;
    explicit TaskHandle(std::shared_ptr<uikit::detail::TaskState> state) : state_(std::move(state)) {}

    void cancel();
    bool isCancelled() const { return state_ && state_->cancelled; }
    bool isFinished() const { return state_ && state_->finished; }
    // Whether the task ended by throwing (not counting exceptions it caught itself).
    bool failed() const { return state_ && static_cast<bool>(state_->failure); }

private:
    std::shared_ptr<uikit::detail::TaskState> state_;
};

template <class T = void>
class Task {
public:
    struct promise_type : uikit::detail::ResultHolder<T> {
        std::coroutine_handle<> continuation;
        std::exception_ptr error;

        Task get_return_object() { return Task(std::coroutine_handle<promise_type>::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        struct FinalAwaiter {
            bool await_ready() noexcept { return false; }
            std::coroutine_handle<> await_suspend(std::coroutine_handle<promise_type> h) noexcept
            {
                auto& p = h.promise();
                if (p.continuation) {
                    return p.continuation;
                }
                // A root task: record how it ended and let go of its frame (later, from the
                // main queue, since the frame is still running here).
                if (auto state = uikit::detail::currentTask()) {
                    state->finished = true;
                    state->failure = p.error;
                    state->wakeForCancel = nullptr;
                    auto release = std::move(state->releaseRoot);
                    state->releaseRoot = nullptr;
                    if (release) {
                        uikit::detail::enqueueOnMain(std::move(release));
                    }
                }
                return std::noop_coroutine();
            }
            void await_resume() noexcept {}
        };
        FinalAwaiter final_suspend() noexcept { return {}; }
        void unhandled_exception() { error = std::current_exception(); }
    };

    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
    ~Task() { reset(); }

    // Awaiting a task runs it as part of the awaiting task (sharing its cancellation).
    bool await_ready() const noexcept { return !handle_ || handle_.done(); }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting)
    {
        handle_.promise().continuation = awaiting;
        return handle_;
    }
    T await_resume()
    {
        auto& p = handle_.promise();
        if (p.error) {
            std::rethrow_exception(p.error);
        }
        return p.take();
    }

    // Starts body's task on the main queue after the current work.
    static TaskHandle run(TaskPriority priority, std::function<Task<void>()> body);

    // Suspends the current task for the time on the dispatch clock; throws CancellationError
    // when the task is or gets cancelled.
    static auto sleep(uint64_t nanoseconds);

private:
    template <class>
    friend class Task;
    explicit Task(std::coroutine_handle<promise_type> h) : handle_(h) {}
    explicit Task(std::nullptr_t) {}
    void reset()
    {
        if (handle_) {
            handle_.destroy();
            handle_ = {};
        }
    }
    std::coroutine_handle<promise_type> handle_;
};

namespace uikit::detail {

struct SleepAwaiter {
    double seconds;
    std::shared_ptr<TaskState> state;

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> handle);
    void await_resume() const
    {
        if (state && state->cancelled) {
            throw CancellationError();
        }
    }
};

} // namespace uikit::detail

template <class T>
auto Task<T>::sleep(uint64_t nanoseconds)
{
    return uikit::detail::SleepAwaiter{static_cast<double>(nanoseconds) / 1e9, nullptr};
}

template <class T>
TaskHandle Task<T>::run(TaskPriority /*priority*/, std::function<Task<void>()> body)
{
    auto state = std::make_shared<uikit::detail::TaskState>();
    uikit::detail::enqueueOnMain([state, body = std::move(body)] {
        auto task = std::make_shared<Task<void>>(body ? body() : Task<void>(nullptr));
        if (!task->handle_) {
            state->finished = true;
            return;
        }
        // The frame lives until the task finishes; the state lets go of it then.
        state->releaseRoot = [task] {};
        uikit::detail::resumeInTask(state, task->handle_);
    });
    return TaskHandle(state);
}
