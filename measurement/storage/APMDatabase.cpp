#include "measurement/storage/APMDatabase.hpp"

#include <ctime>

#include <sqlite3.h>

#include "platform/foundation/NSJSONSerialization.hpp"

namespace fs = std::filesystem;

namespace {

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
    sqlite3_busy_timeout(handle, 2000);
    return handle;
}

}  // namespace

APMDatabase::APMDatabase(fs::path file, sqlite3* handle) : file_(std::move(file)), db_(handle) {}

APMDatabase::~APMDatabase() {
    sqlite3_finalize(insert_);
    sqlite3_finalize(trim_);
    sqlite3_close(db_);
}

std::unique_ptr<APMDatabase> APMDatabase::open(const fs::path& file, std::string* error) {
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    for (int attempt = 0; attempt < 2; ++attempt) {
        sqlite3* handle = openHandle(file, error);
        if (!handle) return nullptr;
        std::unique_ptr<APMDatabase> database(new APMDatabase(file, handle));
        std::string problem;
        if (database->prepareSchema(&problem)) return database;
        int code = sqlite3_errcode(handle);
        database.reset();
        setError(error, problem);
        if (attempt > 0 || (code != SQLITE_NOTADB && code != SQLITE_CORRUPT)) return nullptr;
        // Keep the damaged file for inspection and start over with an empty one.
        fs::rename(file, corruptName(file), ec);
        if (ec) return nullptr;
        for (const char* suffix : {"-wal", "-shm", "-journal"}) fs::remove(file.string() + suffix, ec);
    }
    return nullptr;
}

bool APMDatabase::execute(const char* sql, std::string* error) const {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    setError(error, message ? message : sqlite3_errmsg(db_));
    sqlite3_free(message);
    return false;
}

bool APMDatabase::prepareSchema(std::string* error) {
    if (!execute("PRAGMA journal_mode=WAL", error) || !execute("PRAGMA synchronous=NORMAL", error) ||
        !execute("CREATE TABLE IF NOT EXISTS raw_events ("
                 "id INTEGER PRIMARY KEY AUTOINCREMENT, origin TEXT NOT NULL, name TEXT NOT NULL, "
                 "timestamp REAL NOT NULL, parameters TEXT NOT NULL)",
                 error))
        return false;
    unsigned flags = sqlite3_libversion_number() >= 3020000 ? SQLITE_PREPARE_PERSISTENT : 0;
    if (sqlite3_prepare_v3(db_, "INSERT INTO raw_events (origin, name, timestamp, parameters) VALUES (?1, ?2, ?3, ?4)",
                           -1, flags, &insert_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v3(db_, "DELETE FROM raw_events WHERE id <= (SELECT MAX(id) FROM raw_events) - ?1", -1, flags,
                           &trim_, nullptr) != SQLITE_OK) {
        setError(error, sqlite3_errmsg(db_));
        return false;
    }
    return true;
}

bool APMDatabase::insertEvents(const std::vector<APMEvent>& events, std::string* error) {
    if (events.empty()) return true;
    if (!execute("BEGIN IMMEDIATE", error)) return false;
    for (const APMEvent& event : events) {
        // Invalid UTF-8 in a text becomes U+FFFD rather than costing the whole event.
        std::string parameters = event.parameters.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        sqlite3_reset(insert_);
        sqlite3_bind_text(insert_, 1, event.origin.data(), static_cast<int>(event.origin.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert_, 2, event.name.data(), static_cast<int>(event.name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert_, 3, event.timestamp);
        sqlite3_bind_text(insert_, 4, parameters.data(), static_cast<int>(parameters.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insert_) != SQLITE_DONE) {
            setError(error, sqlite3_errmsg(db_));
            sqlite3_reset(insert_);
            execute("ROLLBACK", nullptr);
            return false;
        }
    }
    sqlite3_reset(insert_);
    sqlite3_reset(trim_);
    sqlite3_bind_int64(trim_, 1, static_cast<sqlite3_int64>(maximumStoredEvents));
    bool trimmed = sqlite3_step(trim_) == SQLITE_DONE;
    sqlite3_reset(trim_);
    if (!trimmed) {
        setError(error, sqlite3_errmsg(db_));
        execute("ROLLBACK", nullptr);
        return false;
    }
    if (!execute("COMMIT", error)) {
        execute("ROLLBACK", nullptr);
        return false;
    }
    return true;
}

std::vector<APMEvent> APMDatabase::readEvents() const {
    std::vector<APMEvent> events;
    sqlite3_stmt* select = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT origin, name, timestamp, parameters FROM raw_events ORDER BY id", -1, &select,
                           nullptr) != SQLITE_OK)
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
    if (sqlite3_prepare_v2(db_, "SELECT COUNT(*) FROM raw_events", -1, &count, nullptr) == SQLITE_OK &&
        sqlite3_step(count) == SQLITE_ROW)
        result = static_cast<std::size_t>(sqlite3_column_int64(count, 0));
    sqlite3_finalize(count);
    return result;
}
