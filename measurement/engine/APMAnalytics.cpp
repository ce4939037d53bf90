#include "measurement/engine/APMAnalytics.hpp"

#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <utility>

#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"
#include "measurement/storage/APMDatabase.hpp"
#include "platform/foundation/AppDataDirectory.hpp"
#include "platform/foundation/DispatchQueue.hpp"

namespace {

enum MessageCode : long {
    databaseUnavailable = 34001,
    eventsNotStored = 34002,
    workerQueueException = 30002,
};

double secondsSince1970() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// The engine's state. Callers only touch the pending list (under its lock); everything else
// belongs to the worker queue.
class MeasurementEngine {
public:
    static MeasurementEngine& shared() {
        // Never destroyed: the worker queue may still run while the process exits.
        static MeasurementEngine* engine = new MeasurementEngine();
        return *engine;
    }

    void add(APMEvent event) {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(event));
        if (drainScheduled_) return;
        drainScheduled_ = true;
        worker_.async([this] { drainOnWorkerQueue(); });
    }

    void waitUntilIdle() { worker_.sync([] {}); }

    std::vector<APMEvent> storedEvents() {
        std::vector<APMEvent> events;
        worker_.sync([&] {
            if (APMDatabase* database = databaseOnWorkerQueue()) events = database->readEvents();
        });
        return events;
    }

    void reset() {
        worker_.sync([this] {
            database_.reset();
            reportedUnavailable_ = false;
        });
    }

private:
    APMDatabase* databaseOnWorkerQueue() {
        if (database_) return database_.get();
        std::filesystem::path file = foundation::appDataDirectory() / "measurement" / "rezuvu-app-measurement.sql";
        std::string error;
        database_ = APMDatabase::open(file, &error);
        if (!database_ && !reportedUnavailable_) {
            reportedUnavailable_ = true;
            APMMonitor::logWithLevel(APMMonitor::error, databaseUnavailable,
                                     "Measurement database cannot be opened; events are dropped. Path, error",
                                     {file.string(), error});
        }
        return database_.get();
    }

    void drainOnWorkerQueue() {
        std::vector<APMEvent> batch;
        {
            std::lock_guard lock(mutex_);
            batch.swap(pending_);
            drainScheduled_ = false;
        }
        try {
            std::vector<APMEvent> valid;
            valid.reserve(batch.size());
            for (APMEvent& event : batch)
                if (auto checked = APMDataTypeValidator::validatedEvent(std::move(event))) valid.push_back(std::move(*checked));
            APMDatabase* database = databaseOnWorkerQueue();
            if (!database || valid.empty()) return;
            std::string error;
            if (!database->insertEvents(valid, &error))
                APMMonitor::logWithLevel(APMMonitor::error, eventsNotStored, "Events could not be stored. Count, error",
                                         {std::to_string(valid.size()), error});
        } catch (const std::exception& exception) {
            APMMonitor::logWithLevel(APMMonitor::error, workerQueueException,
                                     "Exception on the worker queue. Description", {exception.what()});
        }
    }

    DispatchQueue worker_{"APMScheduler"};
    std::mutex mutex_;
    std::vector<APMEvent> pending_;
    bool drainScheduled_ = false;
    std::unique_ptr<APMDatabase> database_;
    bool reportedUnavailable_ = false;
};

}  // namespace

void APMAnalytics::logEventWithOrigin(const std::string& origin, const std::string& name,
                                      const nlohmann::json& parameters) {
    MeasurementEngine::shared().add(APMEvent{origin, name, secondsSince1970(), parameters});
}

void APMAnalytics::waitUntilIdleForTesting() { MeasurementEngine::shared().waitUntilIdle(); }

std::vector<APMEvent> APMAnalytics::storedEventsForTesting() { return MeasurementEngine::shared().storedEvents(); }

void APMAnalytics::resetForTesting() { MeasurementEngine::shared().reset(); }
