#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/MainActorTask.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

namespace {

Task<int> captureRow(std::vector<std::string>& log, int row)
{
    try {
        co_await Task<>::sleep(2'000'000'000);
    } catch (const std::exception& e) {
        log.push_back(std::string("Error during delay: ") + e.what());
    }
    log.push_back("row " + std::to_string(row));
    co_return row * 10;
}

Task<> share(std::vector<std::string>& log, int rows)
{
    int sum = 0;
    for (int row = 0; row < rows; ++row) {
        sum += co_await captureRow(log, row);
    }
    log.push_back("done " + std::to_string(sum));
}

} // namespace

// That the main queue stays free while a task sleeps is the solution screen's share test.
TEST(MainActorTask, TasksStartAfterTheCurrentWorkSleepOnTheDispatchClockAndFindTheirSleepsThrowOnceCancelled)
{
    uikit::testing::Harness virtualClock;
    std::vector<std::string> log, cancelledLog;
    Task<>::run(TaskPriority::UserInitiated, [&log] { return share(log, 2); });
    auto cancelled = Task<>::run(TaskPriority::UserInitiated, [&cancelledLog] { return share(cancelledLog, 2); });
    log.push_back("action returned");
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"action returned"}));

    RunLoop::main().runFor(0.5);
    cancelled.cancel();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(cancelledLog, (std::vector<std::string>{"Error during delay: CancellationError()", "row 0",
                                                      "Error during delay: CancellationError()", "row 1", "done 10"}));
    EXPECT_TRUE(cancelled.isFinished());
    EXPECT_FALSE(cancelled.failed());

    RunLoop::main().runFor(1.4);
    EXPECT_EQ(log.size(), 1u);
    RunLoop::main().runFor(0.2);
    EXPECT_EQ(log.back(), "row 0");
    RunLoop::main().runFor(2.0);
    EXPECT_EQ(log.back(), "done 10");

    // An uncaught error, thrown in an awaited task, ends the task as failed.
    auto failing = Task<>::run(TaskPriority::Medium, []() -> Task<> {
        co_await []() -> Task<> {
            co_await Task<>::sleep(1'000);
            throw std::runtime_error("boom");
        }();
    });
    RunLoop::main().runFor(1.0);
    EXPECT_TRUE(failing.isFinished());
    EXPECT_TRUE(failing.failed());
}
