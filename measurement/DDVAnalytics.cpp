#include "measurement/DDVAnalytics.hpp"

#include <memory>
#include <mutex>
#include <vector>

#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"
#include "platform/didevero/DDVApp.hpp"

namespace {

enum MessageCode : long {
    appNotConfigured = 25018,
    valueNotBridgeable = 25040,
};

// Whether the value has a platform counterpart: null and binary data have none, containers are
// bridgeable when everything in them is. Runs on the caller's thread, so all checks of one event
// share a budget of values: no more than parameters within the engine's size limit can hold,
// since larger ones are dropped whole anyway.
bool isBridgeable(const nlohmann::json& root, std::size_t& budget) {
    std::vector<const nlohmann::json*> pending{&root};
    while (!pending.empty() && budget > 0) {
        --budget;
        const nlohmann::json* value = pending.back();
        pending.pop_back();
        if (value->is_null() || value->is_binary() || value->is_discarded()) return false;
        if (value->is_structured())
            for (auto it = value->begin(); it != value->end() && pending.size() < budget; ++it) pending.push_back(&*it);
    }
    return true;
}

std::mutex observerMutex;
// Shared so that a call in flight keeps the observer it started with while another is installed.
std::shared_ptr<const DDVAnalytics::CallObserver> callObserver;

}  // namespace

void DDVAnalytics::setCallObserverForTesting(CallObserver observer) {
    auto installed = observer ? std::make_shared<const CallObserver>(std::move(observer)) : nullptr;
    std::lock_guard lock(observerMutex);
    callObserver = std::move(installed);
}

void DDVAnalytics::logEventWithName(const std::string& name, const nlohmann::json& parameters) {
    std::shared_ptr<const CallObserver> observer;
    {
        std::lock_guard lock(observerMutex);
        observer = callObserver;
    }
    if (observer) (*observer)(name, parameters);
    if (!DDVApp::isDefaultAppConfigured()) {
        APMMonitor::logWithLevel(APMMonitor::warning, appNotConfigured, "Event not logged. Call +[DDVApp configure]");
        return;
    }
    std::size_t budget = APMDataTypeValidator::maximumParametersBytes;
    if (parameters.is_object())
        for (auto it = parameters.begin(); it != parameters.end() && budget > 0; ++it)
            if (!isBridgeable(*it, budget))
                APMMonitor::logWithLevel(APMMonitor::warning, valueNotBridgeable,
                                         "Parameter value cannot be bridged to a platform object. Event name, parameter name",
                                         {name, it.key()});
    APMAnalytics::logEventWithOrigin("app", name, parameters);
}
