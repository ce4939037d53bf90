#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "measurement/model/APMEvent.hpp"

// The engine's entry for events. The caller's thread only stamps the time and queues the event;
// validation (APMDataTypeValidator) and storage (APMDatabase, "rezuvu-app-measurement.sql" in the
// "measurement" folder of the application's data folder) run on the engine's serial worker queue,
// which writes whatever has queued up in one transaction.
class APMAnalytics {
public:
    static void logEventWithOrigin(const std::string& origin, const std::string& name,
                                   const nlohmann::json& parameters);

    // Returns once every event queued before the call has been validated and stored (or dropped).
    static void waitUntilIdleForTesting();

    // The stored events, oldest first (waits for the worker queue first).
    static std::vector<APMEvent> storedEventsForTesting();

    // Waits for the worker queue and closes the database, so the next event opens it again in
    // the data folder set by then.
    static void resetForTesting();
};
