#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace uikit::testing {

// Records every call of DDVAnalytics::logEventWithName while it lives, in call order, with the
// name and parameters exactly as passed: also calls made before the analytics app is configured
// and names the engine refuses. Calls from any thread are recorded. One recorder at a time (the
// harness keeps one); a second one takes over from the first.
class AnalyticsRecorder {
public:
    struct Event {
        std::string name;
        nlohmann::json parameters;
        bool operator==(const Event&) const = default;
    };

    AnalyticsRecorder();
    ~AnalyticsRecorder();
    AnalyticsRecorder(const AnalyticsRecorder&) = delete;
    AnalyticsRecorder& operator=(const AnalyticsRecorder&) = delete;

    std::vector<Event> events() const;
    std::vector<std::string> names() const;
    // The recorded events of that name, in order.
    std::vector<Event> eventsNamed(const std::string& name) const;
    void clear();

private:
    // Shared with the installed observer, so a call still running on another thread when the
    // recorder goes writes into storage that still exists.
    struct Log {
        std::mutex mutex;
        std::vector<Event> events;
    };
    std::shared_ptr<Log> log_ = std::make_shared<Log>();
};

} // namespace uikit::testing
