// Work on the main run loop and on background queues, and timers, on a virtual clock so that
// delays take no time; notifications, delivered on the posting thread.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/NSTimer.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/foundation/WeakSelf.hpp"

namespace {

class VirtualTime : public ::testing::Test {
protected:
    void SetUp() override {
        DispatchClock::useVirtualTime();
        RunLoop::main().runUntilIdle();
        start = DispatchClock::now();
    }
    void TearDown() override {
        RunLoop::main().runFor(10);
        DispatchClock::useRealTime();
    }
    std::string elapsed() const { return std::to_string(DispatchClock::now() - start); }
    double start = 0;
};

using MainQueue = VirtualTime;
using BackgroundQueue = VirtualTime;
using Timer = VirtualTime;
struct Page : std::enable_shared_from_this<Page> {};

TEST_F(MainQueue, RunsWorkInOrderOnlyWhenTheLoopRunsAndGoesOnAfterWorkThatThrows) {
    std::vector<int> order;
    DispatchQueue::main().async([&] { order.push_back(1); });
    DispatchQueue::main().async([] { throw std::runtime_error("boom"); });
    DispatchQueue::main().async([&] {
        order.push_back(2);
        DispatchQueue::main().async([&] { order.push_back(3); });  // added while running
    });
    // Its page is gone (a temporary) before the work runs.
    DispatchQueue::main().async(weakly(std::make_shared<Page>().get(), [&](const auto&) { order.push_back(4); }));
    EXPECT_TRUE(order.empty());
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunLoop::main().runUntilIdle(), 5u);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("boom"), std::string::npos);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(DispatchQueue::main().isCurrent());
}

TEST_F(MainQueue, DelayedWorkWaitsForTheClockAndWorkItAddsRunsWithinTheSameRunFor) {
    std::vector<std::string> fired;  // name and time
    auto note = [&](const std::string& name) { fired.push_back(name + " " + elapsed()); };
    DispatchQueue::main().asyncAfter(3.0, [&] { note("third"); });
    DispatchQueue::main().asyncAfter(1.0, [&] { note("first"); });
    DispatchQueue::main().asyncAfter(1.0, [&] {
        note("first again");
        DispatchQueue::main().asyncAfter(0.5, [&] { note("added"); });
    });
    DispatchQueue::main().asyncAfter(-5.0, [&] { note("now"); });
    RunLoop::main().runUntilIdle();
    RunLoop::main().runFor(0.999);
    EXPECT_EQ(fired, std::vector<std::string>{"now 0.000000"});
    EXPECT_NEAR(RunLoop::main().secondsUntilNextWork().value_or(-1), 0.001, 1e-6);
    RunLoop::main().runFor(10.001);
    EXPECT_EQ(fired, (std::vector<std::string>{"now 0.000000", "first 1.000000", "first again 1.000000",
                                               "added 1.500000", "third 3.000000"}));
    EXPECT_EQ(elapsed(), "11.000000");
    EXPECT_FALSE(RunLoop::main().secondsUntilNextWork());
}

TEST_F(MainQueue, AnotherThreadsWorkAndSyncRunOnTheMainThreadUntilItStopsTheLoop) {
    std::atomic<int> count{0};
    std::atomic<bool> syncRanOnMain{false};
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i) DispatchQueue::main().async([&] { ++count; });
        DispatchQueue::main().sync([&] { syncRanOnMain = RunLoop::isMainThread(); });
        DispatchQueue::main().async([] { RunLoop::main().stop(); });
    });
    RunLoop::main().run();
    poster.join();
    EXPECT_EQ(count, 100);
    EXPECT_TRUE(syncRanOnMain);
}

// Sync from the queue's own thread runs inline (it would wait for itself forever otherwise), and
// so does the release of a queue's last owner.
TEST_F(BackgroundQueue, SyncPassesOnExceptionsAndNeitherSyncNorReleaseOnItsOwnThreadDeadlocks) {
    auto queue = std::make_shared<DispatchQueue>("test.sync");
    EXPECT_THROW(queue->sync([] { throw std::runtime_error("failed"); }), std::runtime_error);
    bool nested = false;
    queue->sync([&] {
        EXPECT_TRUE(queue->isCurrent());
        queue->sync([&] { nested = true; });
    });
    EXPECT_TRUE(nested);
    EXPECT_FALSE(queue->isCurrent());
    std::promise<void> released;
    queue->async([&queue, &released] {
        queue.reset();
        released.set_value();
    });
    released.get_future().get();
    EXPECT_EQ(queue, nullptr);
}

TEST_F(BackgroundQueue, DelayedWorkRunsWhenTheClockPassesItAndDestructionDropsItButFinishesQueuedWork) {
    std::atomic<int> fired{0}, ran{0};
    {
        DispatchQueue queue("test.delayed");
        queue.asyncAfter(10.0, [&] { ++fired; });
        for (double step : {0.0, 9.0, 1.0}) {
            DispatchClock::advance(step);
            queue.sync([] {});  // due work runs before work queued after the clock moved
            EXPECT_EQ(fired, step == 1.0 ? 1 : 0) << step;
        }
        queue.async([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++ran;
        });
        queue.async([&] { ++ran; });
        queue.asyncAfter(1.0, [&] { ran += 100; });
    }
    EXPECT_EQ(ran, 2);
}

TEST_F(Timer, ARepeatingTimerKeepsItsRhythmUntilInvalidated) {
    std::vector<std::string> fired;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.5, true, [&](const std::shared_ptr<NSTimer>& t) {
        fired.push_back(elapsed());
        if (fired.size() == 4) t->invalidate();
    });
    RunLoop::main().runFor(1.2);
    // A loop that was busy past two beats fires once and goes on with the beat ahead.
    DispatchClock::advance(1.1);  // now 2.3: the beats at 1.5 and 2.0 were missed
    EXPECT_EQ(RunLoop::main().secondsUntilNextWork(), 0.0);  // overdue is due now, not in the past
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(fired.size(), 3u);
    RunLoop::main().runFor(5);
    EXPECT_EQ(fired, (std::vector<std::string>{"0.500000", "1.000000", "2.300000", "2.500000"}));
    EXPECT_FALSE(timer->isValid());
}

TEST_F(Timer, TheRunLoopHoldsTheTimerAndLetsGoOfItsBlockWhenDone) {
    auto captured = std::make_shared<int>(0);
    std::weak_ptr<int> weakCaptured = captured;
    std::weak_ptr<NSTimer> weakTimer =
        NSTimer::scheduledTimerWithTimeInterval(1.0, false, [captured](const auto&) { ++*captured; });
    captured.reset();
    EXPECT_FALSE(weakTimer.expired());  // nobody else holds it, yet it is scheduled
    RunLoop::main().runFor(1.0);
    EXPECT_TRUE(weakTimer.expired() && weakCaptured.expired());

    // Invalidated before its time, a timer never fires and goes at its time.
    int count = 0;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0, true, [&](const auto&) { ++count; });
    EXPECT_DOUBLE_EQ(timer->timeInterval(), 0.0001);
    timer->invalidate();
    weakTimer = timer;
    timer.reset();
    RunLoop::main().runFor(0.001);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(weakTimer.expired());
}

TEST(NSNotificationCenter, DeliversByNameOnThePostingThreadUntilRemovedByTokenOrOwner) {
    NSNotificationCenter center;
    std::vector<std::string> seen;
    std::thread::id deliveredOn;
    int owner = 0;
    auto token = center.addObserverForName("a", [&](const NSNotification& n) {
        seen.push_back("token " + n.userInfo.dump());
        deliveredOn = std::this_thread::get_id();
    });
    center.addObserver(&owner, "a", [&](const NSNotification&) { seen.push_back("owner a"); });
    center.addObserver(&owner, "b", [&](const NSNotification&) { seen.push_back("owner b"); });
    center.postNotificationName("a", {{"count", 2}});
    center.postNotificationName("unknown");
    center.removeObserver(nullptr);  // not every observer without an owner
    std::thread poster([&] { center.postNotificationName("a"); });
    const std::thread::id posterId = poster.get_id();
    poster.join();
    EXPECT_EQ(deliveredOn, posterId);

    center.removeObserver(token);
    center.removeObserver(&owner, "a");
    center.postNotificationName("a");
    center.postNotificationName("b");
    center.removeObserver(&owner);
    center.postNotificationName("b");
    center.removeObserver(token);  // removing twice is harmless
    EXPECT_EQ(seen, (std::vector<std::string>{"token {\"count\":2}", "owner a", "token null", "owner a", "owner b"}));
}

TEST(NSNotificationCenter, ObserversMayPostRegisterAndRemoveDuringAPost) {
    NSNotificationCenter center;
    std::vector<std::string> calls;
    NSNotificationObserverToken second;
    center.addObserverForName("first", [&](const NSNotification&) {
        calls.push_back("first");
        center.removeObserver(second);  // removed before its turn: not called
        center.addObserverForName("first", [&](const NSNotification&) { calls.push_back("late"); });
        center.postNotificationName("nested");  // would deadlock if the centre held its lock
    });
    second = center.addObserverForName("first", [&](const NSNotification&) { calls.push_back("second"); });
    center.addObserverForName("nested", [&](const NSNotification&) { calls.push_back("nested"); });
    center.postNotificationName("first");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "nested"}));
}

TEST(NSNotificationCenter, ConcurrentRegistrationAndPostingIsSafe) {
    NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
    std::atomic<int> delivered{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                auto token = center.addObserverForName("concurrent", [&](const NSNotification&) { ++delivered; });
                center.postNotificationName("concurrent");
                center.removeObserver(token);
            }
        });
    for (auto& thread : threads) thread.join();
    // Each post reaches at least the observer its own thread registered just before.
    EXPECT_GE(delivered, 2000);
    int before = delivered;
    center.postNotificationName("concurrent");
    EXPECT_EQ(delivered, before);
}

}  // namespace
