#include "platform/foundation/ProcessLifetime.hpp"

#include <vector>

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::function<void()>> resets;
};

Registry& registry()
{
    // Never destroyed: ProcessShared statics may register or reset during static destruction.
    static Registry* r = new Registry;
    return *r;
}

} // namespace

void ProcessLifetime::registerReset(std::function<void()> reset)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.resets.push_back(std::move(reset));
}

void ProcessLifetime::resetAll()
{
    std::vector<std::function<void()>> resets;
    {
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        resets = r.resets;
    }
    // Outside the lock: forgetting an object may run destructors that use other shared objects.
    for (auto it = resets.rbegin(); it != resets.rend(); ++it) {
        (*it)();
    }
}
