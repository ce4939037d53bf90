#include "platform/foundation/NSUserDefaults.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <limits>
#include <map>
#include <mutex>
#include <vector>

#include <sys/stat.h>

#include "platform/foundation/AppDataDirectory.hpp"
#include "platform/foundation/AtomicFile.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A failed save is tried again after these waits, doubling, so that what is not yet on the disk
// gets there soon after the disk has room again, whether or not anything changes meanwhile.
constexpr double firstRetrySeconds = 1;
constexpr double longestRetrySeconds = 16;

DispatchQueue& writerQueue() {
    static DispatchQueue* queue = new DispatchQueue("NSUserDefaults");
    return *queue;
}

// Why a value cannot be kept in the file, or none when it can. The file's own object is the first
// level of brackets, so a value may nest one level less than the file can be read back with.
std::optional<std::string> unstorableReason(const json& root) {
    std::vector<std::pair<const json*, int>> pending{{&root, 1}};
    while (!pending.empty()) {
        auto [value, level] = pending.back();
        pending.pop_back();
        if (value->is_structured() && level + 1 > NSJSONSerialization::maximumDepth) return "it is nested too deeply";
        if (value->is_binary()) return "binary data cannot be stored";
        if (value->is_number_float() && !std::isfinite(value->get<double>())) return "NaN and infinities cannot be stored";
        if (value->is_structured())
            for (const auto& child : *value) pending.emplace_back(&child, level + 1);
    }
    return std::nullopt;
}

std::string timestampForFileName() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

}  // namespace

struct NSUserDefaults::Storage {
    fs::path file;

    mutable std::mutex mutex;
    std::map<std::string, std::shared_ptr<const json>> values;
    std::uint64_t generation = 0;
    bool writeScheduled = false;
    bool retryScheduled = false;
    double retryDelay = 0;  // the wait before the next try, once a save has failed
    bool persistent = true;

    std::optional<std::string> readProblem;   // set once, by load
    std::optional<fs::path> setAsideAs;       // set once, by load
    std::optional<std::string> writeProblem;  // under mutex

    std::mutex writeMutex;
    std::uint64_t writtenGeneration = 0;
    bool lastWriteFailed = false;
    bool failureUnannounced = false;

    void load();
    void runWithoutFile(const std::string& reason);
    void setAside(const std::string& reason);
    void changedLocked(const std::shared_ptr<Storage>& self);
    void scheduleWriteLocked(const std::shared_ptr<Storage>& self);
    void writeInBackground(const std::shared_ptr<Storage>& self);
    void retryLater(const std::shared_ptr<Storage>& self);
    bool writeIfChanged();
    void announceFailure();
};

void NSUserDefaults::Storage::load() {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) return;
    // What killed writers left behind can go; another running process may be writing this file
    // too, and keeps its own temporary file.
    foundation::removeTemporaryFiles(file);
    std::string readError;
    std::optional<std::string> contents = foundation::readFileContents(file, &readError);
    if (!contents) return runWithoutFile(readError);
    NSError parseError;
    std::optional<json> root = NSJSONSerialization::JSONObjectWithData(*contents, &parseError);
    if (!root) return setAside(parseError.localizedDescription);
    if (!root->is_object()) return setAside("the file does not hold a JSON object");
    for (auto& [key, value] : root->items()) values.emplace(key, std::make_shared<const json>(std::move(value)));
}

void NSUserDefaults::Storage::runWithoutFile(const std::string& reason) {
    // The file may well be intact (too many open files, no permission): it is neither set aside
    // nor replaced, since a write now would put nearly empty defaults over the whole history.
    persistent = false;
    readProblem = reason;
    std::cerr << "User defaults file " << file.string() << " cannot be read (" << reason
              << "); starting with empty defaults that will not be saved" << std::endl;
}

void NSUserDefaults::Storage::setAside(const std::string& reason) {
    fs::path aside = file;
    aside += ".corrupt-" + timestampForFileName();
    std::error_code ec;
    for (int n = 2; fs::exists(aside, ec); ++n) {
        aside = file;
        aside += ".corrupt-" + timestampForFileName() + "-" + std::to_string(n);
    }
    fs::rename(file, aside, ec);
    if (ec) {
        // Writing now would destroy the only copy of whatever the file holds.
        persistent = false;
        readProblem = reason;
        std::cerr << "User defaults file " << file.string() << " is unreadable (" << reason
                  << ") and could not be set aside (" << ec.message()
                  << "); starting with empty defaults that will not be saved" << std::endl;
        return;
    }
    setAsideAs = aside;
    std::cerr << "User defaults file " << file.string() << " is unreadable (" << reason << "); kept as "
              << aside.string() << ", starting with empty defaults" << std::endl;
}

void NSUserDefaults::Storage::changedLocked(const std::shared_ptr<Storage>& self) {
    ++generation;
    scheduleWriteLocked(self);
}

void NSUserDefaults::Storage::scheduleWriteLocked(const std::shared_ptr<Storage>& self) {
    if (writeScheduled || !persistent) return;
    writeScheduled = true;
    writerQueue().async([self] {
        {
            std::lock_guard lock(self->mutex);
            self->writeScheduled = false;
        }
        self->writeInBackground(self);
    });
}

void NSUserDefaults::Storage::writeInBackground(const std::shared_ptr<Storage>& self) {
    if (writeIfChanged()) return;
    // Only a background write tells the user: one at exit has no one left to tell.
    announceFailure();
    retryLater(self);
}

void NSUserDefaults::Storage::retryLater(const std::shared_ptr<Storage>& self) {
    std::lock_guard lock(mutex);
    if (!persistent || retryScheduled || !writeProblem) return;
    retryScheduled = true;
    retryDelay = retryDelay == 0 ? firstRetrySeconds : std::min(2 * retryDelay, longestRetrySeconds);
    // Held weakly: defaults that are gone must not write their file over their successor's.
    writerQueue().asyncAfter(retryDelay, [weak = std::weak_ptr<Storage>(self)] {
        auto self = weak.lock();
        if (!self) return;
        {
            std::lock_guard lock(self->mutex);
            self->retryScheduled = false;
        }
        self->writeInBackground(self);
    });
}

bool NSUserDefaults::Storage::writeIfChanged() {
    std::lock_guard writeLock(writeMutex);
    std::map<std::string, std::shared_ptr<const json>> snapshot;
    std::uint64_t snapshotGeneration;
    {
        std::lock_guard lock(mutex);
        if (!persistent) return false;
        if (generation == writtenGeneration) return true;  // a failed write leaves the generations apart
        snapshot = values;
        snapshotGeneration = generation;
    }
    // Written key by key from the shared values: no copy of a large history is made here.
    std::string text = "{";
    for (const auto& [key, value] : snapshot) {
        if (text.size() > 1) text += ',';
        text += json(key).dump(-1, ' ', false, json::error_handler_t::replace);
        text += ':';
        text += value->dump(-1, ' ', false, json::error_handler_t::replace);
    }
    text += "}\n";

    fs::path folder = file.parent_path();
    std::error_code ec;
    if (!folder.empty()) fs::create_directories(folder, ec);
    std::optional<std::string> failure = foundation::writeFileAtomically(file, text);
    if (failure) {
        if (!lastWriteFailed) {
            std::cerr << "User defaults not saved: " << *failure << std::endl;
            failureUnannounced = true;
        }
        lastWriteFailed = true;
        std::lock_guard lock(mutex);
        writeProblem = *failure;
        return false;
    }
    lastWriteFailed = false;
    {
        std::lock_guard lock(mutex);
        writeProblem.reset();
        retryDelay = 0;
    }
    writtenGeneration = snapshotGeneration;
    return true;
}

void NSUserDefaults::Storage::announceFailure() {
    std::string reason;
    {
        std::lock_guard writeLock(writeMutex);
        std::lock_guard lock(mutex);
        if (!failureUnannounced || !writeProblem) return;
        failureUnannounced = false;
        reason = *writeProblem;
    }
    DispatchQueue::main().async([info = json{{"file", file.string()}, {"reason", reason}}] {
        NSNotificationCenter::defaultCenter().postNotificationName(didFailToSaveNotification, info);
    });
}

// ---------------------------------------------------------------------------------------------

namespace {

std::mutex standardMutex;
std::shared_ptr<NSUserDefaults> standardInstance;

void writeStandardAtExit() {
    std::shared_ptr<NSUserDefaults> defaults;
    {
        std::lock_guard lock(standardMutex);
        defaults = standardInstance;
    }
    if (defaults) defaults->synchronize();
}

}  // namespace

std::shared_ptr<NSUserDefaults> NSUserDefaults::standardUserDefaults() {
    std::lock_guard lock(standardMutex);
    if (!standardInstance) {
        static std::once_flag exitHook;
        std::call_once(exitHook, [] { std::atexit(writeStandardAtExit); });
        standardInstance = std::make_shared<NSUserDefaults>(foundation::appDataDirectory() / "defaults.json");
    }
    return standardInstance;
}

void NSUserDefaults::resetStandardUserDefaultsForTesting() {
    std::shared_ptr<NSUserDefaults> old;
    {
        std::lock_guard lock(standardMutex);
        old.swap(standardInstance);
    }
    if (old) old->synchronize();
}

NSUserDefaults::NSUserDefaults(fs::path file) : storage_(std::make_shared<Storage>()) {
    storage_->file = std::move(file);
    storage_->load();
}

NSUserDefaults::~NSUserDefaults() { storage_->writeIfChanged(); }

const fs::path& NSUserDefaults::filePath() const { return storage_->file; }

std::optional<json> NSUserDefaults::objectForKey(const std::string& key) const {
    std::shared_ptr<const json> value;
    {
        std::lock_guard lock(storage_->mutex);
        auto it = storage_->values.find(key);
        if (it == storage_->values.end()) return std::nullopt;
        value = it->second;
    }
    return *value;  // copied outside the lock
}

void NSUserDefaults::setObject(json value, const std::string& key) {
    if (value.is_null()) return removeObjectForKey(key);
    if (auto reason = unstorableReason(value)) {
        std::cerr << "User default \"" << key << "\" not stored: " << *reason << std::endl;
        return;
    }
    auto stored = std::make_shared<const json>(std::move(value));
    std::shared_ptr<const json> previous;  // released outside the lock
    std::lock_guard lock(storage_->mutex);
    auto& slot = storage_->values[key];
    previous = std::move(slot);
    slot = std::move(stored);
    storage_->changedLocked(storage_);
}

void NSUserDefaults::removeObjectForKey(const std::string& key) {
    std::shared_ptr<const json> previous;
    std::lock_guard lock(storage_->mutex);
    auto it = storage_->values.find(key);
    if (it == storage_->values.end()) return;
    previous = std::move(it->second);
    storage_->values.erase(it);
    storage_->changedLocked(storage_);
}

bool NSUserDefaults::boolForKey(const std::string& key) const {
    std::lock_guard lock(storage_->mutex);
    auto it = storage_->values.find(key);
    if (it == storage_->values.end()) return false;
    const json& value = *it->second;
    if (value.is_boolean()) return value.get<bool>();
    if (value.is_number_integer()) return value.get<std::int64_t>() != 0;
    if (value.is_number_float()) return value.get<double>() != 0.0;
    return false;
}

std::int64_t NSUserDefaults::integerForKey(const std::string& key) const {
    std::lock_guard lock(storage_->mutex);
    auto it = storage_->values.find(key);
    if (it == storage_->values.end()) return 0;
    const json& value = *it->second;
    if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
    if (value.is_number_unsigned()) {
        std::uint64_t n = value.get<std::uint64_t>();
        return n > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
                   ? std::numeric_limits<std::int64_t>::max()
                   : static_cast<std::int64_t>(n);
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_float()) {
        double d = value.get<double>();
        // Outside this range the conversion would be undefined.
        if (d >= -9.2233720368547748e18 && d < 9.2233720368547758e18) return static_cast<std::int64_t>(d);
    }
    return 0;
}

double NSUserDefaults::doubleForKey(const std::string& key) const {
    std::lock_guard lock(storage_->mutex);
    auto it = storage_->values.find(key);
    if (it == storage_->values.end()) return 0.0;
    const json& value = *it->second;
    if (value.is_boolean()) return value.get<bool>() ? 1.0 : 0.0;
    if (value.is_number()) return value.get<double>();
    return 0.0;
}

std::optional<std::string> NSUserDefaults::stringForKey(const std::string& key) const {
    std::lock_guard lock(storage_->mutex);
    auto it = storage_->values.find(key);
    if (it == storage_->values.end() || !it->second->is_string()) return std::nullopt;
    return it->second->get<std::string>();
}

std::optional<json> NSUserDefaults::arrayForKey(const std::string& key) const {
    std::optional<json> value = objectForKey(key);
    if (!value || !value->is_array()) return std::nullopt;
    return value;
}

std::optional<json> NSUserDefaults::dictionaryForKey(const std::string& key) const {
    std::optional<json> value = objectForKey(key);
    if (!value || !value->is_object()) return std::nullopt;
    return value;
}

void NSUserDefaults::setBool(bool value, const std::string& key) { setObject(value, key); }
void NSUserDefaults::setInteger(std::int64_t value, const std::string& key) { setObject(value, key); }
void NSUserDefaults::setDouble(double value, const std::string& key) { setObject(value, key); }

bool NSUserDefaults::synchronize() { return storage_->writeIfChanged(); }

void NSUserDefaults::retryFailedSave() {
    std::lock_guard lock(storage_->mutex);
    if (storage_->writeProblem) storage_->scheduleWriteLocked(storage_);
}

std::optional<fs::path> NSUserDefaults::damagedFileSetAside() const {
    std::lock_guard lock(storage_->mutex);
    return storage_->setAsideAs;
}

std::optional<NSUserDefaults::FileProblem> NSUserDefaults::fileProblem() const {
    std::lock_guard lock(storage_->mutex);
    if (storage_->readProblem) return FileProblem{true, *storage_->readProblem};
    if (storage_->writeProblem) return FileProblem{false, *storage_->writeProblem};
    return std::nullopt;
}

json NSUserDefaults::dictionaryRepresentation() const {
    std::lock_guard lock(storage_->mutex);
    json all = json::object();
    for (const auto& [key, value] : storage_->values) all[key] = *value;
    return all;
}
