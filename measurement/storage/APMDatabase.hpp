#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "measurement/model/APMEvent.hpp"

struct sqlite3;
struct sqlite3_stmt;

// The measurement database: one SQLite file holding the raw events, oldest first. All SQL takes
// its values through bound parameters. Not thread-safe by itself: the engine's worker queue is
// its only user.
class APMDatabase {
public:
    // Since nothing uploads the events, the table is capped so it cannot fill the disk; the
    // oldest events give way.
    static constexpr std::size_t maximumStoredEvents = 100000;

    // Opens or creates the file (and its folder). A file that is not a database is set aside as
    // "<name>.corrupt-<time>" and a new one is made. None when neither works (reason in error).
    static std::unique_ptr<APMDatabase> open(const std::filesystem::path& file, std::string* error = nullptr);
    ~APMDatabase();

    APMDatabase(const APMDatabase&) = delete;
    APMDatabase& operator=(const APMDatabase&) = delete;

    // Stores the events in one transaction: all or none. Reason in error on failure.
    bool insertEvents(const std::vector<APMEvent>& events, std::string* error = nullptr);

    std::vector<APMEvent> readEvents() const;
    std::size_t eventCount() const;

    const std::filesystem::path& file() const { return file_; }

private:
    APMDatabase(std::filesystem::path file, sqlite3* handle);
    bool prepareSchema(std::string* error);
    bool execute(const char* sql, std::string* error) const;

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* trim_ = nullptr;
};
