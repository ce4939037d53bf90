#include "platform/uikit/MainActorTask.hpp"

#include "platform/foundation/DispatchQueue.hpp"

namespace uikit::detail {

std::shared_ptr<TaskState>& currentTask()
{
    static std::shared_ptr<TaskState> current;
    return current;
}

void resumeInTask(const std::shared_ptr<TaskState>& state, std::coroutine_handle<> handle)
{
    auto previous = std::exchange(currentTask(), state);
    handle.resume();
    currentTask() = std::move(previous);
}

void enqueueOnMain(std::function<void()> work)
{
    DispatchQueue::main().async(std::move(work));
}

void enqueueOnMainAfter(double seconds, std::function<void()> work)
{
    DispatchQueue::main().asyncAfter(seconds, std::move(work));
}

void SleepAwaiter::await_suspend(std::coroutine_handle<> handle)
{
    state = currentTask();
    auto resumed = std::make_shared<bool>(false);
    auto resume = [state = state, handle, resumed] {
        if (*resumed) {
            return;
        }
        *resumed = true;
        if (state) {
            state->wakeForCancel = nullptr;
        }
        resumeInTask(state, handle);
    };
    if (state && state->cancelled) {
        enqueueOnMain(resume);
        return;
    }
    if (state) {
        state->wakeForCancel = [resume] { enqueueOnMain(resume); };
    }
    enqueueOnMainAfter(seconds, resume);
}

} // namespace uikit::detail

void TaskHandle::cancel()
{
    if (!state_ || state_->cancelled) {
        return;
    }
    state_->cancelled = true;
    if (auto wake = std::move(state_->wakeForCancel)) {
        state_->wakeForCancel = nullptr;
        wake();
    }
}
