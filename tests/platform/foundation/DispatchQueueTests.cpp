#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/RunLoop.hpp"

namespace {

class VirtualTime : public ::testing::Test {
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

using MainQueue = VirtualTime;
using BackgroundQueue = VirtualTime;

TEST_F(MainQueue, RunsWorkInOrderOnlyWhenTheLoopRunsAndGoesOnAfterWorkThatThrows) {
    std::vector<int> order;
    DispatchQueue::main().async([&] { order.push_back(1); });
    DispatchQueue::main().async([] { throw std::runtime_error("boom"); });
    DispatchQueue::main().async([&] {
        order.push_back(2);
        DispatchQueue::main().async([&] { order.push_back(3); });  // added while running
    });
    EXPECT_TRUE(order.empty());
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunLoop::main().runUntilIdle(), 4u);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("boom"), std::string::npos);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(DispatchQueue::main().isCurrent());
}

TEST_F(MainQueue, DelayedWorkWaitsForTheVirtualClockAndWorkItAddsRunsWithinTheSameRunFor) {
    const double start = DispatchClock::now();
    std::vector<std::string> order;
    std::vector<double> firedAt;
    auto note = [&](const std::string& name) {
        order.push_back(name);
        firedAt.push_back(DispatchClock::now() - start);
    };
    DispatchQueue::main().asyncAfter(3.0, [&] { note("3s"); });
    DispatchQueue::main().asyncAfter(1.0, [&] { note("1s"); });
    DispatchQueue::main().asyncAfter(1.0, [&] {
        note("1s again");
        DispatchQueue::main().asyncAfter(0.5, [&] { note("1.5s"); });
    });
    DispatchQueue::main().asyncAfter(-5.0, [&] { note("now"); });

    RunLoop::main().runUntilIdle();
    EXPECT_EQ(order, (std::vector<std::string>{"now"}));
    RunLoop::main().runFor(0.999);
    EXPECT_EQ(order.size(), 1u);
    EXPECT_NEAR(RunLoop::main().secondsUntilNextWork().value_or(-1), 0.001, 1e-6);
    RunLoop::main().runFor(0.001);
    EXPECT_EQ(order, (std::vector<std::string>{"now", "1s", "1s again"}));
    RunLoop::main().runFor(10);
    EXPECT_EQ(order, (std::vector<std::string>{"now", "1s", "1s again", "1.5s", "3s"}));
    EXPECT_NEAR(firedAt[3], 1.5, 1e-9);
    EXPECT_NEAR(firedAt[4], 3.0, 1e-9);
    EXPECT_NEAR(DispatchClock::now() - start, 11.0, 1e-9);
    EXPECT_FALSE(RunLoop::main().secondsUntilNextWork().has_value());
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

TEST_F(BackgroundQueue, SerialQueueRunsInOrderOnOneOtherThread) {
    DispatchQueue queue("test.serial");
    std::vector<int> order;
    std::set<std::thread::id> threads;
    std::mutex mutex;  // only to satisfy the race checker: the queue is serial
    for (int i = 0; i < 1000; ++i)
        queue.async([&, i] {
            std::lock_guard lock(mutex);
            order.push_back(i);
            threads.insert(std::this_thread::get_id());
        });
    queue.sync([] {});
    std::lock_guard lock(mutex);
    ASSERT_EQ(order.size(), 1000u);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(order[i], i);
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
}

TEST_F(BackgroundQueue, SyncPassesOnExceptionsAndRunsInlineOnItsOwnThread) {
    DispatchQueue queue("test.sync");
    EXPECT_THROW(queue.sync([] { throw std::runtime_error("failed"); }), std::runtime_error);
    bool nested = false;
    queue.sync([&] {
        EXPECT_TRUE(queue.isCurrent());
        queue.sync([&] { nested = true; });  // would wait for itself forever otherwise
    });
    EXPECT_TRUE(nested);
    EXPECT_FALSE(queue.isCurrent());
}

TEST_F(BackgroundQueue, DelayedWorkRunsWhenTheClockPassesItAndDestructionDropsItButFinishesQueuedWork) {
    std::atomic<int> fired{0}, ran{0};
    {
        DispatchQueue queue("test.delayed");
        queue.asyncAfter(10.0, [&] { ++fired; });
        queue.sync([] {});
        EXPECT_EQ(fired, 0);
        DispatchClock::advance(9.0);
        queue.sync([] {});
        EXPECT_EQ(fired, 0);
        DispatchClock::advance(1.0);
        queue.sync([] {});  // due work runs before work queued after the clock moved
        EXPECT_EQ(fired, 1);

        queue.async([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++ran;
        });
        queue.async([&] { ++ran; });
        queue.asyncAfter(1.0, [&] { ran += 100; });
    }
    EXPECT_EQ(ran, 2);
}

TEST_F(BackgroundQueue, AQueueReleasedByItsOwnWorkDoesNotDeadlock) {
    auto queue = std::make_shared<DispatchQueue>("test.self-release");
    std::promise<void> released;
    queue->async([&queue, &released] {
        queue.reset();  // the last owner goes away on the queue's own thread
        released.set_value();
    });
    released.get_future().get();
    EXPECT_EQ(queue, nullptr);
}

}  // namespace
