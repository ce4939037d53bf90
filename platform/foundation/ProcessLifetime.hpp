#pragma once

#include <functional>
#include <memory>
#include <mutex>

// Process-wide shared objects ("shared" singletons, lazy constants) are made once, on first
// use, under a lock. A test that simulates a restart of the program makes them anew: it calls
// ProcessLifetime::resetAll(), and every ProcessShared forgets its object, so the next use
// builds a fresh one, as a new process would.
class ProcessLifetime {
public:
    // Registers what a restart does to forget one object; safe from any thread.
    static void registerReset(std::function<void()> reset);
    // Runs the resets, newest first.
    static void resetAll();
};

template <class T>
class ProcessShared {
public:
    explicit ProcessShared(std::function<std::shared_ptr<T>()> make) : make_(std::move(make))
    {
        ProcessLifetime::registerReset([this] {
            std::shared_ptr<T> old;
            {
                std::lock_guard lock(mutex_);
                old = std::move(object_);
            }
            // The old object goes here, outside the lock, in case its destructor uses get().
        });
    }
    ProcessShared(const ProcessShared&) = delete;
    ProcessShared& operator=(const ProcessShared&) = delete;

    std::shared_ptr<T> get()
    {
        std::lock_guard lock(mutex_);
        if (!object_) {
            object_ = make_();
        }
        return object_;
    }

private:
    std::mutex mutex_;
    std::function<std::shared_ptr<T>()> make_;
    std::shared_ptr<T> object_;
};
