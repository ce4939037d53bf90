#include "measurement/engine/APMAnalytics.hpp"

#include <algorithm>
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
    parametersTooLarge = 13010,
    databaseUnavailable = 34001,
    eventsNotStored = 34002,
    eventsDroppedQueueFull = 34003,
    databaseLocked = 34004,
    databaseDamaged = 34005,
    databaseVanished = 34006,
    workerQueueException = 30002,
};

// Small transactions keep the write-ahead log (which holds a whole transaction) small.
constexpr std::size_t eventsPerTransaction = 500;
constexpr std::size_t bytesPerTransaction = 1u << 20;
constexpr double firstRetryDelay = 1.0;
constexpr double longestRetryDelay = 60.0;

double secondsSince1970() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// What an event is counted as in the queue: its parameters' size estimate plus its texts and
// bookkeeping.
std::size_t queuedSize(const APMEvent& event, std::size_t parametersEstimate) {
    return sizeof(APMEvent) + event.origin.size() + event.name.size() + parametersEstimate;
}

// The engine's state. Callers only touch the pending list and the queue's totals (under the
// lock); everything else belongs to the worker queue.
class MeasurementEngine {
public:
    static MeasurementEngine& shared() {
        // Never destroyed: the worker queue may still run while the process exits.
        static MeasurementEngine* engine = new MeasurementEngine();
        return *engine;
    }

    void add(const std::string& origin, const std::string& name, const nlohmann::json& parameters) {
        constexpr std::size_t limit = APMDataTypeValidator::maximumParametersBytes;
        std::size_t estimate = APMDataTypeValidator::parametersSizeEstimate(parameters, limit);
        bool tooLarge = estimate > limit;
        // A name this long is refused anyway; its first characters are enough to say so.
        std::string keptName = name.size() > APMDataTypeValidator::maximumNameLength
                                   ? name.substr(0, APMDataTypeValidator::maximumNameLength + 1)
                                   : name;
        Queued queued{APMEvent{origin, std::move(keptName), secondsSince1970(),
                               tooLarge ? nlohmann::json(nullptr) : parameters},
                      0, tooLarge};
        queued.bytes = queuedSize(queued.event, tooLarge ? 0 : estimate);

        std::lock_guard lock(mutex_);
        if (queuedEvents_ >= APMAnalytics::maximumQueuedEvents ||
            queuedBytes_ + queued.bytes > APMAnalytics::maximumQueuedBytes) {
            // Still wakes the worker: it reports the drop and retries what it holds.
            ++droppedForFullQueue_;
        } else {
            ++queuedEvents_;
            queuedBytes_ += queued.bytes;
            pending_.push_back(std::move(queued));
        }
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
            storeHeldOnWorkerQueue();
            release(held_.size(), heldBytes_);
            held_.clear();
            heldSizes_.clear();
            heldBytes_ = 0;
            database_.reset();
            reportedUnavailable_ = false;
            reportedLocked_ = false;
            retryDelay_ = firstRetryDelay;
        });
    }

private:
    struct Queued {
        APMEvent event;
        std::size_t bytes;
        bool parametersDropped;
    };

    void release(std::size_t events, std::size_t bytes) {
        std::lock_guard lock(mutex_);
        queuedEvents_ -= std::min(queuedEvents_, events);
        queuedBytes_ -= std::min(queuedBytes_, bytes);
    }

    APMDatabase* databaseOnWorkerQueue() {
        if (database_ && !database_->isStillAtItsPath()) {
            APMMonitor::logWithLevel(APMMonitor::warning, databaseVanished,
                                     "Measurement database file was removed or replaced; it is opened again. Path",
                                     {database_->file().string()});
            database_.reset();
        }
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
        std::vector<Queued> batch;
        std::size_t dropped;
        {
            std::lock_guard lock(mutex_);
            batch.swap(pending_);
            dropped = droppedForFullQueue_;
            droppedForFullQueue_ = 0;
            drainScheduled_ = false;
        }
        try {
            if (dropped > 0)
                APMMonitor::logWithLevel(APMMonitor::warning, eventsDroppedQueueFull,
                                         "Events were dropped because the queue was full. Count",
                                         {std::to_string(dropped)});
            for (Queued& queued : batch) {
                if (queued.parametersDropped)
                    APMMonitor::logWithLevel(APMMonitor::warning, parametersTooLarge,
                                             "Event parameters are larger than 16 KiB and were dropped. Event name",
                                             {queued.event.name});
                if (auto checked = APMDataTypeValidator::validatedEvent(std::move(queued.event))) {
                    held_.push_back(std::move(*checked));
                    heldSizes_.push_back(queued.bytes);
                    heldBytes_ += queued.bytes;
                } else {
                    release(1, queued.bytes);
                }
            }
            storeHeldOnWorkerQueue();
        } catch (const std::exception& exception) {
            APMMonitor::logWithLevel(APMMonitor::error, workerQueueException,
                                     "Exception on the worker queue. Description", {exception.what()});
        }
    }

    // Drops the first count held events from memory and from the queue's totals.
    void forgetHeld(std::size_t count) {
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < count; ++i) bytes += heldSizes_[i];
        held_.erase(held_.begin(), held_.begin() + static_cast<long>(count));
        heldSizes_.erase(heldSizes_.begin(), heldSizes_.begin() + static_cast<long>(count));
        heldBytes_ -= bytes;
        release(count, bytes);
    }

    void storeHeldOnWorkerQueue() {
        bool setAsideOnce = false;
        while (!held_.empty()) {
            APMDatabase* database = databaseOnWorkerQueue();
            if (!database) return forgetHeld(held_.size());
            std::size_t count = 0;
            for (std::size_t bytes = 0; count < held_.size() && count < eventsPerTransaction &&
                                        (count == 0 || bytes + heldSizes_[count] <= bytesPerTransaction);
                 ++count)
                bytes += heldSizes_[count];
            std::string error;
            if (database->insertEvents(std::span<const APMEvent>(held_.data(), count), &error)) {
                forgetHeld(count);
                reportedLocked_ = false;
                retryDelay_ = firstRetryDelay;
                continue;
            }
            switch (database->lastFailure()) {
            case APMDatabase::Failure::busy:
                // Another process holds the file: keep the events (the queue's bounds still
                // apply) and try again later, waiting longer each time.
                if (!reportedLocked_)
                    APMMonitor::logWithLevel(APMMonitor::warning, databaseLocked,
                                             "Measurement database is locked; events are kept and stored later. Count",
                                             {std::to_string(held_.size())});
                reportedLocked_ = true;
                return scheduleRetry();
            case APMDatabase::Failure::damaged:
                if (!setAsideOnce) {
                    setAsideOnce = true;
                    APMMonitor::logWithLevel(APMMonitor::error, databaseDamaged,
                                             "Measurement database is damaged; it is set aside and a new one made. Path",
                                             {database->file().string()});
                    database->setAside();
                    database_.reset();
                    continue;
                }
                [[fallthrough]];
            default:
                APMMonitor::logWithLevel(APMMonitor::error, eventsNotStored, "Events could not be stored. Count, error",
                                         {std::to_string(count), error});
                forgetHeld(count);
            }
        }
    }

    void scheduleRetry() {
        if (retryScheduled_) return;
        retryScheduled_ = true;
        double delay = retryDelay_;
        retryDelay_ = std::min(retryDelay_ * 2, longestRetryDelay);
        worker_.asyncAfter(delay, [this] {
            retryScheduled_ = false;
            storeHeldOnWorkerQueue();
        });
    }

    DispatchQueue worker_{"APMScheduler"};

    std::mutex mutex_;
    std::vector<Queued> pending_;
    bool drainScheduled_ = false;
    std::size_t queuedEvents_ = 0;  // pending and held
    std::size_t queuedBytes_ = 0;
    std::size_t droppedForFullQueue_ = 0;

    // Validated events waiting to be stored, oldest first, with what each counts in the queue.
    std::vector<APMEvent> held_;
    std::vector<std::size_t> heldSizes_;
    std::size_t heldBytes_ = 0;
    std::unique_ptr<APMDatabase> database_;
    bool reportedUnavailable_ = false;
    bool reportedLocked_ = false;
    bool retryScheduled_ = false;
    double retryDelay_ = firstRetryDelay;
};

}  // namespace

void APMAnalytics::logEventWithOrigin(const std::string& origin, const std::string& name,
                                      const nlohmann::json& parameters) {
    MeasurementEngine::shared().add(origin, name, parameters);
}

void APMAnalytics::waitUntilIdleForTesting() { MeasurementEngine::shared().waitUntilIdle(); }

std::vector<APMEvent> APMAnalytics::storedEventsForTesting() { return MeasurementEngine::shared().storedEvents(); }

void APMAnalytics::resetForTesting() { MeasurementEngine::shared().reset(); }
