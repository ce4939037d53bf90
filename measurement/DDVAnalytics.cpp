#include "measurement/DDVAnalytics.hpp"

#include <memory>
#include <mutex>
#include <vector>

#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "platform/didevero/DDVApp.hpp"

namespace {

enum MessageCode : long {
    appNotConfigured = 25018,
    valueNotBridgeable = 25040,
};

// Whether the value has a platform counterpart: null and binary data have none, containers are
// bridgeable when everything in them is.
bool isBridgeable(const nlohmann::json& root) {
    std::vector<const nlohmann::json*> pending{&root};
    while (!pending.empty()) {
        const nlohmann::json* value = pending.back();
        pending.pop_back();
        if (value->is_null() || value->is_binary() || value->is_discarded()) return false;
        if (value->is_structured())
            for (const auto& child : *value) pending.push_back(&child);
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
    if (parameters.is_object())
        for (const auto& [key, value] : parameters.items())
            if (!isBridgeable(value))
                APMMonitor::logWithLevel(APMMonitor::warning, valueNotBridgeable,
                                         "Parameter value cannot be bridged to a platform object. Event name, parameter name",
                                         {name, key});
    APMAnalytics::logEventWithOrigin("app", name, parameters);
}
