#include "platform/foundation/NSNotificationCenter.hpp"

#include <algorithm>

NSNotificationCenter& NSNotificationCenter::defaultCenter() {
    static NSNotificationCenter* center = new NSNotificationCenter();
    return *center;
}

NSNotificationObserverToken NSNotificationCenter::addObserverForName(const std::string& name, Block block) {
    std::lock_guard lock(mutex_);
    auto registration = std::make_shared<Registration>();
    registration->id = nextId_++;
    registration->owner = nullptr;
    registration->name = name;
    registration->block = std::move(block);
    registrations_.push_back(registration);
    return NSNotificationObserverToken{registration->id};
}

void NSNotificationCenter::addObserver(const void* observer, const std::string& name, Block block) {
    std::lock_guard lock(mutex_);
    auto registration = std::make_shared<Registration>();
    registration->id = nextId_++;
    registration->owner = observer;
    registration->name = name;
    registration->block = std::move(block);
    registrations_.push_back(std::move(registration));
}

template <typename Predicate>
void NSNotificationCenter::removeWhere(Predicate matches) {
    std::lock_guard lock(mutex_);
    auto removed = std::remove_if(registrations_.begin(), registrations_.end(), [&](const auto& registration) {
        if (!matches(*registration)) return false;
        registration->active = false;
        return true;
    });
    registrations_.erase(removed, registrations_.end());
}

void NSNotificationCenter::removeObserver(NSNotificationObserverToken token) {
    removeWhere([&](const Registration& r) { return r.id == token.id; });
}

void NSNotificationCenter::removeObserver(const void* observer) {
    if (!observer) return;
    removeWhere([&](const Registration& r) { return r.owner == observer; });
}

void NSNotificationCenter::removeObserver(const void* observer, const std::string& name) {
    if (!observer) return;
    removeWhere([&](const Registration& r) { return r.owner == observer && r.name == name; });
}

void NSNotificationCenter::removeAllObserversForTesting() {
    removeWhere([](const Registration&) { return true; });
}

void NSNotificationCenter::postNotificationName(const std::string& name, const nlohmann::json& userInfo) {
    // Observers run without the lock, so they may post and (un)register; the snapshot keeps each
    // registration alive while it may still be called.
    std::vector<std::shared_ptr<Registration>> receivers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& registration : registrations_)
            if (registration->name == name) receivers.push_back(registration);
    }
    const NSNotification notification{name, userInfo};
    for (const auto& registration : receivers)
        if (registration->active) registration->block(notification);
}
