#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

struct NSNotification {
    std::string name;
    nlohmann::json userInfo;  // null when the poster gave none
};

// Names a registration made by addObserverForName; pass it to removeObserver.
struct NSNotificationObserverToken {
    std::uint64_t id = 0;
};

// Delivers named notifications to the observers registered for that name, synchronously, on the
// thread that posts. Registration and posting are safe from any thread. An observer removed while
// a post is running is not called by it afterwards; observers may post, add and remove observers.
class NSNotificationCenter {
public:
    using Block = std::function<void(const NSNotification&)>;

    static NSNotificationCenter& defaultCenter();

    NSNotificationCenter() = default;
    NSNotificationCenter(const NSNotificationCenter&) = delete;
    NSNotificationCenter& operator=(const NSNotificationCenter&) = delete;

    NSNotificationObserverToken addObserverForName(const std::string& name, Block block);

    // Registers on behalf of an object (typically `this` of a screen), so that all its
    // registrations can be removed together with removeObserver(observer).
    void addObserver(const void* observer, const std::string& name, Block block);

    void removeObserver(NSNotificationObserverToken token);
    void removeObserver(const void* observer);
    void removeObserver(const void* observer, const std::string& name);

    void postNotificationName(const std::string& name, const nlohmann::json& userInfo = nullptr);

    // A simulated restart of the program: nothing registered by the old "process" hears anything.
    void removeAllObserversForTesting();

private:
    struct Registration {
        std::uint64_t id;
        const void* owner;
        std::string name;
        Block block;
        std::atomic<bool> active{true};
    };

    template <typename Predicate>
    void removeWhere(Predicate matches);

    std::mutex mutex_;
    std::vector<std::shared_ptr<Registration>> registrations_;
    std::uint64_t nextId_ = 1;
};
