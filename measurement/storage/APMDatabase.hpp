#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
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
    // Since nothing uploads the events, the table is capped in rows and in bytes (origin, name
    // and parameter text of the events) so it cannot fill the disk; the oldest events give way
    // before new ones are written. With SQLite's page overhead and the log, the folder stays
    // under about 22 MB.
    static constexpr std::size_t maximumStoredEvents = 100000;
    static constexpr std::size_t maximumStoredBytes = 16u << 20;
    // The write-ahead log is cut back to this size whenever it has been copied into the file.
    static constexpr std::size_t maximumLogBytes = 4u << 20;

    // Why the last insertEvents failed.
    enum class Failure { none, busy, damaged, other };

    // Opens or creates the file (and its folder). A file that is not a database, or whose pages
    // are damaged behind a valid header, is set aside as "<name>.corrupt-<time>" and a new one is
    // made. None when neither works (reason in error).
    static std::unique_ptr<APMDatabase> open(const std::filesystem::path& file, std::string* error = nullptr);
    ~APMDatabase();

    APMDatabase(const APMDatabase&) = delete;
    APMDatabase& operator=(const APMDatabase&) = delete;

    // Stores the events in one transaction: all or none. Reason in error on failure; the kind of
    // failure in lastFailure(): busy while another connection holds the database locked (the
    // same events may be offered again later), damaged when the file turned out to be corrupt.
    bool insertEvents(std::span<const APMEvent> events, std::string* error = nullptr);
    Failure lastFailure() const { return lastFailure_; }

    // Whether the file this database was opened from is still in its place (not deleted or
    // replaced since); events written to a deleted file would be lost with its last handle.
    bool isStillAtItsPath() const;

    // Sets the file aside as "<name>.corrupt-<time>", with its log files removed; the object is
    // unusable afterwards. False when the file could not be moved.
    bool setAside();

    std::vector<APMEvent> readEvents() const;
    std::size_t eventCount() const;
    std::size_t storedBytes() const { return storedBytes_; }

    const std::filesystem::path& file() const { return file_; }

private:
    APMDatabase(std::filesystem::path file, sqlite3* handle);
    bool prepareSchema(std::string* error, bool* damaged);
    bool isIntact();
    bool execute(const char* sql, std::string* error) const;
    bool trimOldest(std::size_t& count, std::size_t& bytes);
    void fail(std::string* error, int code);
    void close();

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* oldest_ = nullptr;
    sqlite3_stmt* trim_ = nullptr;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::size_t storedCount_ = 0;
    std::size_t storedBytes_ = 0;
    Failure lastFailure_ = Failure::none;
};
