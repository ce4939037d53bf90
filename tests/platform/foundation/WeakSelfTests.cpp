#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/foundation/WeakSelf.hpp"

namespace {

// As in the UI: the base enables shared_from_this, the class that schedules work derives from it.
class Base : public std::enable_shared_from_this<Base> {
public:
    virtual ~Base() = default;
};

class Screen : public Base {
public:
    Screen() {
        callbackMadeInConstructor =
            weakly(this, [](const std::shared_ptr<Screen>& self) { self->calls.push_back("constructor"); });
    }

    void scheduleFade(double seconds) {
        DispatchQueue::main().asyncAfter(
            seconds, weakly(this, [](const std::shared_ptr<Screen>& self) { self->calls.push_back("fade"); }));
    }

    std::function<void(int, const std::string&)> actionTakingArguments() {
        return weakly(this, [](const std::shared_ptr<Screen>& self, int row, const std::string& title) {
            self->calls.push_back(title + " " + std::to_string(row));
        });
    }

    std::vector<std::string> calls;
    std::function<void()> callbackMadeInConstructor;
};

class WeakSelf : public ::testing::Test {
protected:
    void SetUp() override {
        DispatchClock::useVirtualTime();
        RunLoop::main().runUntilIdle();
    }
    void TearDown() override {
        RunLoop::main().runUntilIdle();
        DispatchClock::useRealTime();
    }
};

TEST_F(WeakSelf, QueuedWorkRunsOnTheObjectWhileItLivesAndIsSkippedOnceItIsGone) {
    auto screen = std::make_shared<Screen>();
    screen->callbackMadeInConstructor();  // made before an owner existed: never runs
    std::weak_ptr<Screen> watch = screen;
    screen->scheduleFade(1.0);
    screen->scheduleFade(2.0);
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(screen->calls, std::vector<std::string>{"fade"});

    // The queued work must not keep the object alive.
    screen.reset();
    EXPECT_TRUE(watch.expired());
    RunLoop::main().runFor(2.0);  // the second fade finds nothing and does nothing
}

TEST_F(WeakSelf, ArgumentsFollowTheObjectAndTheObjectLivesThroughTheCall) {
    auto screen = std::make_shared<Screen>();
    auto action = screen->actionTakingArguments();
    action(3, "row");
    EXPECT_EQ(screen->calls, std::vector<std::string>{"row 3"});

    // A body that drops the last outside owner still runs to its end on a live object.
    std::shared_ptr<Screen> holder = screen;
    screen.reset();
    bool finished = false;
    auto dropOwner = weakly(holder, [&](const std::shared_ptr<Screen>& self) {
        holder.reset();
        self->calls.push_back("still here");
        finished = true;
    });
    dropOwner();
    EXPECT_TRUE(finished);
    EXPECT_EQ(holder, nullptr);
}

}  // namespace
