#include <gtest/gtest.h>

#include <thread>

#include "platform/foundation/NSNotificationCenter.hpp"

namespace {

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
    center.removeObserver(nullptr);
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
