#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "measurement/model/APMEvent.hpp"

// The engine's entry for events. The caller's thread only stamps the time, bounds the parameters'
// size (APMDataTypeValidator::parametersSizeEstimate; larger parameters are dropped) and queues the
// event; validation (APMDataTypeValidator) and storage (APMDatabase, "rezuvu-app-measurement.sql"
// in the "measurement" folder of the application's data folder) run on the engine's serial worker
// queue, which writes whatever has queued up in transactions of a few hundred events.
//
// The queue holds at most maximumQueuedEvents events and maximumQueuedBytes (counted with the size
// estimate); beyond that events are dropped and counted in one warning. A database another process
// keeps locked is tried again later, with back-off, while its events stay queued; a database file
// removed while running is made anew; a damaged one is set aside.
class APMAnalytics {
public:
    static constexpr std::size_t maximumQueuedEvents = 10000;
    // Counted with the size estimate; the values themselves take about three times as much memory.
    static constexpr std::size_t maximumQueuedBytes = 4u << 20;

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
