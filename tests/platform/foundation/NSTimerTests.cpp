#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/NSTimer.hpp"
#include "platform/foundation/RunLoop.hpp"

namespace {

class NSTimerTest : public ::testing::Test {
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
    double elapsed() const { return DispatchClock::now() - start; }
    double start = 0;
};

}  // namespace

TEST_F(NSTimerTest, ARepeatingTimerKeepsItsRhythmUntilInvalidated) {
    std::vector<double> fired;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.5, true, [&](const std::shared_ptr<NSTimer>& t) {
        fired.push_back(elapsed());
        if (fired.size() == 4) t->invalidate();
    });
    RunLoop::main().runFor(1.2);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_NEAR(fired[0], 0.5, 1e-9);
    EXPECT_NEAR(fired[1], 1.0, 1e-9);

    // A loop that was busy past two beats fires once and goes on with the beat ahead.
    DispatchClock::advance(1.1);  // now 2.3: the beats at 1.5 and 2.0 were missed
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(fired.size(), 3u);
    RunLoop::main().runFor(0.2);
    ASSERT_EQ(fired.size(), 4u);
    EXPECT_NEAR(fired[3], 2.5, 1e-9);

    EXPECT_FALSE(timer->isValid());
    RunLoop::main().runFor(5);
    EXPECT_EQ(fired.size(), 4u);
}

TEST_F(NSTimerTest, TheRunLoopHoldsTheTimerAndLetsGoOfItsBlockWhenDone) {
    auto captured = std::make_shared<int>(0);
    std::weak_ptr<int> weakCaptured = captured;
    std::weak_ptr<NSTimer> weakTimer =
        NSTimer::scheduledTimerWithTimeInterval(1.0, false, [captured](const auto&) { ++*captured; });
    captured.reset();
    EXPECT_FALSE(weakTimer.expired());  // nobody else holds it, yet it is scheduled
    RunLoop::main().runFor(1.0);
    EXPECT_TRUE(weakTimer.expired());
    EXPECT_TRUE(weakCaptured.expired());

    // Invalidated before its time, a timer never fires and goes at its time.
    int count = 0;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0, true, [&](const auto&) { ++count; });
    EXPECT_DOUBLE_EQ(timer->timeInterval(), 0.0001);
    timer->invalidate();
    std::weak_ptr<NSTimer> weakInvalid = timer;
    timer.reset();
    RunLoop::main().runFor(0.001);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(weakInvalid.expired());
}
