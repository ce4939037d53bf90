#include "platform/uikit/testing/AnalyticsRecorder.hpp"

#include "measurement/DDVAnalytics.hpp"

namespace uikit::testing {

AnalyticsRecorder::AnalyticsRecorder()
{
    DDVAnalytics::setCallObserverForTesting([log = log_](const std::string& name, const nlohmann::json& parameters) {
        std::lock_guard lock(log->mutex);
        log->events.push_back({name, parameters});
    });
}

AnalyticsRecorder::~AnalyticsRecorder()
{
    DDVAnalytics::setCallObserverForTesting(nullptr);
}

std::vector<AnalyticsRecorder::Event> AnalyticsRecorder::events() const
{
    std::lock_guard lock(log_->mutex);
    return log_->events;
}

std::vector<std::string> AnalyticsRecorder::names() const
{
    std::vector<std::string> names;
    for (const auto& event : events()) {
        names.push_back(event.name);
    }
    return names;
}

std::vector<AnalyticsRecorder::Event> AnalyticsRecorder::eventsNamed(const std::string& name) const
{
    std::vector<Event> found;
    for (const auto& event : events()) {
        if (event.name == name) {
            found.push_back(event);
        }
    }
    return found;
}

void AnalyticsRecorder::clear()
{
    std::lock_guard lock(log_->mutex);
    log_->events.clear();
}

} // namespace uikit::testing
