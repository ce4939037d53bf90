#include "platform/foundation/DispatchClock.hpp"

#include <atomic>
#include <chrono>
#include <cmath>
#include <map>
#include <mutex>

namespace {

std::atomic<bool> virtualMode{false};
std::atomic<double> virtualNow{0.0};

std::mutex listenerMutex;
std::map<std::uint64_t, std::function<void()>>& listeners() {
    static auto* all = new std::map<std::uint64_t, std::function<void()>>();
    return *all;
}
std::uint64_t nextListenerId = 1;

double realNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void notifyListeners() {
    std::lock_guard lock(listenerMutex);
    for (auto& [id, listener] : listeners()) listener();
}

}  // namespace

double DispatchClock::now() { return virtualMode.load() ? virtualNow.load() : realNow(); }

void DispatchClock::useVirtualTime() {
    if (!virtualMode.load()) {
        // A whole second to start from keeps sums of halves and quarters exact, so
        // what a test samples mid-animation doesn't depend on when it started.
        virtualNow.store(std::ceil(realNow()));
        virtualMode.store(true);
    }
    notifyListeners();
}

void DispatchClock::useRealTime() {
    virtualMode.store(false);
    notifyListeners();
}

bool DispatchClock::isVirtual() { return virtualMode.load(); }

void DispatchClock::advance(double seconds) {
    if (!virtualMode.load() || !std::isfinite(seconds) || seconds <= 0) return;
    double current = virtualNow.load();
    while (!virtualNow.compare_exchange_weak(current, current + seconds)) {
    }
    notifyListeners();
}

std::uint64_t DispatchClock::addListener(std::function<void()> listener) {
    std::lock_guard lock(listenerMutex);
    std::uint64_t id = nextListenerId++;
    listeners().emplace(id, std::move(listener));
    return id;
}

void DispatchClock::removeListener(std::uint64_t id) {
    std::lock_guard lock(listenerMutex);
    listeners().erase(id);
}
