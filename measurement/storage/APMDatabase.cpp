#include "measurement/storage/APMDatabase.hpp"

#include <algorithm>
#include <ctime>

#include <sqlite3.h>
#include <sys/stat.h>

#include "platform/foundation/NSJSONSerialization.hpp"

namespace fs = std::filesystem;

namespace {

// What one stored event counts against maximumStoredBytes, the same measure in C++ and in SQL.
constexpr const char* storedSizeSQL =
    "length(CAST(origin AS BLOB)) + length(CAST(name AS BLOB)) + length(CAST(parameters AS BLOB))";

void setError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

std::string corruptName(const fs::path& file) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return file.string() + ".corrupt-" + stamp;
}

sqlite3* openHandle(const fs::path& file, std::string* error) {
    sqlite3* handle = nullptr;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(file.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
        setError(error, handle ? sqlite3_errmsg(handle) : "out of memory");
        sqlite3_close(handle);
        return nullptr;
    }
    // Short: a database another process keeps locked is tried again later, with the events kept.
    sqlite3_busy_timeout(handle, 250);
    return handle;
}

bool isDamage(int code) { return code == SQLITE_CORRUPT || code == SQLITE_NOTADB; }

}  // namespace

APMDatabase::APMDatabase(fs::path file, sqlite3* handle) : file_(std::move(file)), db_(handle) {}

APMDatabase::~APMDatabase() { close(); }

void APMDatabase::close() {
    sqlite3_finalize(insert_);
    sqlite3_finalize(oldest_);
    sqlite3_finalize(trim_);
    sqlite3_close(db_);
    insert_ = oldest_ = trim_ = nullptr;
    db_ = nullptr;
}

std::unique_ptr<APMDatabase> APMDatabase::open(const fs::path& file, std::string* error) {
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    for (int attempt = 0; attempt < 2; ++attempt) {
        sqlite3* handle = openHandle(file, error);
        if (!handle) return nullptr;
        std::unique_ptr<APMDatabase> database(new APMDatabase(file, handle));
        std::string problem;
        bool damaged = false;
        if (database->prepareSchema(&problem, &damaged)) return database;
        setError(error, problem);
        if (attempt > 0 || !damaged) return nullptr;
        // Keep the damaged file for inspection and start over with an empty one.
        if (!database->setAside()) return nullptr;
    }
    return nullptr;
}

bool APMDatabase::setAside() {
    close();
    std::error_code ec;
    fs::rename(file_, corruptName(file_), ec);
    if (ec) return false;
    for (const char* suffix : {"-wal", "-shm", "-journal"}) fs::remove(file_.string() + suffix, ec);
    return true;
}

bool APMDatabase::execute(const char* sql, std::string* error) const {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    setError(error, message ? message : sqlite3_errmsg(db_));
    sqlite3_free(message);
    return false;
}

// A valid header says nothing of the pages behind it; this reads them all once, at open.
bool APMDatabase::isIntact() {
    sqlite3_stmt* check = nullptr;
    bool intact = sqlite3_prepare_v2(db_, "PRAGMA quick_check(1)", -1, &check, nullptr) == SQLITE_OK &&
                  sqlite3_step(check) == SQLITE_ROW &&
                  std::string(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    sqlite3_finalize(check);
    return intact;
}

bool APMDatabase::prepareSchema(std::string* error, bool* damaged) {
    std::string logLimit = "PRAGMA journal_size_limit=" + std::to_string(maximumLogBytes);
    if (!execute("PRAGMA journal_mode=WAL", error) || !execute("PRAGMA synchronous=NORMAL", error) ||
        !execute(logLimit.c_str(), error) ||
        !execute("CREATE TABLE IF NOT EXISTS raw_events ("
                 "id INTEGER PRIMARY KEY AUTOINCREMENT, origin TEXT NOT NULL, name TEXT NOT NULL, "
                 "timestamp REAL NOT NULL, parameters TEXT NOT NULL)",
                 error)) {
        *damaged = isDamage(sqlite3_errcode(db_));
        return false;
    }
    if (!isIntact()) {
        setError(error, "the database file is damaged");
        *damaged = true;
        return false;
    }
    unsigned flags = sqlite3_libversion_number() >= 3020000 ? SQLITE_PREPARE_PERSISTENT : 0;
    std::string oldest = std::string("SELECT id, ") + storedSizeSQL + " FROM raw_events ORDER BY id LIMIT 256";
    if (sqlite3_prepare_v3(db_, "INSERT INTO raw_events (origin, name, timestamp, parameters) VALUES (?1, ?2, ?3, ?4)",
                           -1, flags, &insert_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v3(db_, oldest.c_str(), -1, flags, &oldest_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v3(db_, "DELETE FROM raw_events WHERE id <= ?1", -1, flags, &trim_, nullptr) != SQLITE_OK) {
        setError(error, sqlite3_errmsg(db_));
        return false;
    }
    sqlite3_stmt* totals = nullptr;
    std::string sum = std::string("SELECT COUNT(*), TOTAL(") + storedSizeSQL + ") FROM raw_events";
    if (sqlite3_prepare_v2(db_, sum.c_str(), -1, &totals, nullptr) != SQLITE_OK || sqlite3_step(totals) != SQLITE_ROW) {
        setError(error, sqlite3_errmsg(db_));
        sqlite3_finalize(totals);
        return false;
    }
    storedCount_ = static_cast<std::size_t>(sqlite3_column_int64(totals, 0));
    storedBytes_ = static_cast<std::size_t>(sqlite3_column_double(totals, 1));
    sqlite3_finalize(totals);

    struct stat info {};
    if (::stat(file_.c_str(), &info) == 0) {
        device_ = info.st_dev;
        inode_ = info.st_ino;
    }
    return true;
}

void APMDatabase::fail(std::string* error, int code) {
    setError(error, sqlite3_errmsg(db_));
    int primary = code & 0xff;
    lastFailure_ = primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? Failure::busy
                   : isDamage(primary)                                 ? Failure::damaged
                                                                       : Failure::other;
    execute("ROLLBACK", nullptr);
}

// Deletes the oldest events until both caps hold again; count and bytes follow what is deleted.
bool APMDatabase::trimOldest(std::size_t& count, std::size_t& bytes) {
    while (count > maximumStoredEvents || bytes > maximumStoredBytes) {
        sqlite3_int64 lastId = -1;
        sqlite3_reset(oldest_);
        int step;
        while ((count > maximumStoredEvents || bytes > maximumStoredBytes) &&
               (step = sqlite3_step(oldest_)) == SQLITE_ROW) {
            lastId = sqlite3_column_int64(oldest_, 0);
            auto size = static_cast<std::size_t>(sqlite3_column_int64(oldest_, 1));
            bytes -= std::min(bytes, size);
            --count;
        }
        sqlite3_reset(oldest_);
        if (lastId < 0) break;  // nothing left to delete
        sqlite3_reset(trim_);
        sqlite3_bind_int64(trim_, 1, lastId);
        int result = sqlite3_step(trim_);
        sqlite3_reset(trim_);
        if (result != SQLITE_DONE) return false;
    }
    return true;
}

bool APMDatabase::insertEvents(std::span<const APMEvent> events, std::string* error) {
    lastFailure_ = Failure::none;
    if (events.empty()) return true;
    if (!db_) {
        setError(error, "the database is closed");
        lastFailure_ = Failure::other;
        return false;
    }
    std::vector<std::string> parameters;
    parameters.reserve(events.size());
    std::size_t addedBytes = 0;
    for (const APMEvent& event : events) {
        // Invalid UTF-8 in a text becomes U+FFFD rather than costing the whole event.
        parameters.push_back(event.parameters.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        addedBytes += event.origin.size() + event.name.size() + parameters.back().size();
    }
    if (int code = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr); code != SQLITE_OK) {
        fail(error, code);
        return false;
    }
    // Room is made first, so the file never holds more than the caps allow, even for a moment.
    std::size_t count = storedCount_ + events.size();
    std::size_t bytes = storedBytes_ + addedBytes;
    if (!trimOldest(count, bytes)) {
        fail(error, sqlite3_errcode(db_));
        return false;
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        const APMEvent& event = events[i];
        sqlite3_reset(insert_);
        sqlite3_bind_text(insert_, 1, event.origin.data(), static_cast<int>(event.origin.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert_, 2, event.name.data(), static_cast<int>(event.name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert_, 3, event.timestamp);
        sqlite3_bind_text(insert_, 4, parameters[i].data(), static_cast<int>(parameters[i].size()), SQLITE_TRANSIENT);
        if (int code = sqlite3_step(insert_); code != SQLITE_DONE) {
            sqlite3_reset(insert_);
            fail(error, code);
            return false;
        }
    }
    sqlite3_reset(insert_);
    if (int code = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr); code != SQLITE_OK) {
        fail(error, code);
        return false;
    }
    storedCount_ = count;
    storedBytes_ = bytes;
    return true;
}

bool APMDatabase::isStillAtItsPath() const {
    struct stat info {};
    return ::stat(file_.c_str(), &info) == 0 && static_cast<std::uint64_t>(info.st_dev) == device_ &&
           static_cast<std::uint64_t>(info.st_ino) == inode_;
}

std::vector<APMEvent> APMDatabase::readEvents() const {
    std::vector<APMEvent> events;
    sqlite3_stmt* select = nullptr;
    if (!db_ || sqlite3_prepare_v2(db_, "SELECT origin, name, timestamp, parameters FROM raw_events ORDER BY id", -1,
                                   &select, nullptr) != SQLITE_OK)
        return events;
    while (sqlite3_step(select) == SQLITE_ROW) {
        APMEvent event;
        auto text = [&](int column) {
            const unsigned char* value = sqlite3_column_text(select, column);
            return value ? std::string(reinterpret_cast<const char*>(value), sqlite3_column_bytes(select, column))
                         : std::string();
        };
        event.origin = text(0);
        event.name = text(1);
        event.timestamp = sqlite3_column_double(select, 2);
        event.parameters = NSJSONSerialization::JSONObjectWithData(text(3)).value_or(nlohmann::json::object());
        events.push_back(std::move(event));
    }
    sqlite3_finalize(select);
    return events;
}

std::size_t APMDatabase::eventCount() const {
    sqlite3_stmt* count = nullptr;
    std::size_t result = 0;
    if (db_ && sqlite3_prepare_v2(db_, "SELECT COUNT(*) FROM raw_events", -1, &count, nullptr) == SQLITE_OK &&
        sqlite3_step(count) == SQLITE_ROW)
        result = static_cast<std::size_t>(sqlite3_column_int64(count, 0));
    sqlite3_finalize(count);
    return result;
}
