#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

// Values by key, kept in one JSON file. Reads and writes are served from memory at once and are
// safe from any thread; every change is written to the file soon after on a background thread,
// and synchronize() writes at once. The file is always replaced atomically, so a crash or kill
// leaves either the previous or the new file.
//
// A file that was read but cannot be parsed is kept aside as "<name>.corrupt-<time>", one line
// goes to standard error, and the defaults start empty (damagedFileSetAside() names it). A file that cannot be read at all (too many
// open files, no permission, a folder in its place) is left as it is: the defaults start empty,
// one line goes to standard error, and nothing is written to the file in this run. A write that
// fails is tried again in the background after a short wait that grows, until one succeeds.
class NSUserDefaults {
public:
    // The application's defaults in AppDataDirectory ("defaults.json"), opened on first use.
    static std::shared_ptr<NSUserDefaults> standardUserDefaults();

    // Writes and forgets the standard defaults, so the next standardUserDefaults() reads the file
    // again (from the data folder set by then), as after a restart of the program.
    static void resetStandardUserDefaultsForTesting();

    explicit NSUserDefaults(std::filesystem::path file);
    ~NSUserDefaults();  // writes what is still pending

    NSUserDefaults(const NSUserDefaults&) = delete;
    NSUserDefaults& operator=(const NSUserDefaults&) = delete;

    const std::filesystem::path& filePath() const;

    // The stored value; none when the key has none.
    std::optional<nlohmann::json> objectForKey(const std::string& key) const;

    // Stores the value; null removes the key. Values JSON cannot keep (NaN, infinities, binary)
    // and values nested deeper than NSJSONSerialization::maximumDepth are refused with one line
    // on standard error, leaving the key as it was.
    void setObject(nlohmann::json value, const std::string& key);
    void removeObjectForKey(const std::string& key);

    // Typed reads answer false / 0 / none when the key is missing or holds another kind of value.
    // Numbers and Booleans convert into one another (true is 1, nonzero is true); texts never do.
    bool boolForKey(const std::string& key) const;
    std::int64_t integerForKey(const std::string& key) const;
    double doubleForKey(const std::string& key) const;
    std::optional<std::string> stringForKey(const std::string& key) const;
    std::optional<nlohmann::json> arrayForKey(const std::string& key) const;
    std::optional<nlohmann::json> dictionaryForKey(const std::string& key) const;

    void setBool(bool value, const std::string& key);
    void setInteger(std::int64_t value, const std::string& key);
    void setDouble(double value, const std::string& key);

    // Writes pending changes now; false when the file could not be written (reason on stderr).
    bool synchronize();
    // After a failed write, tries again now in the background rather than at the next wait.
    void retryFailedSave();

    // Why this run's values are not being kept, for the user to be told: the file could not be
    // read (the run goes on with empty defaults that are never written), or the last write
    // failed (until one succeeds). None while all is well.
    struct FileProblem {
        bool reading = false;
        std::string reason;
    };
    std::optional<FileProblem> fileProblem() const;
    // Posted through the default notification centre, on the main queue, when a change written in
    // the background fails after writes that succeeded; userInfo holds "file" and "reason".
    static constexpr const char* didFailToSaveNotification = "RADUserDefaultsDidFailToSaveNotification";

    // Where a damaged file found at the start was kept, for the user to be told; none otherwise.
    std::optional<std::filesystem::path> damagedFileSetAside() const;

    // All values as one JSON object.
    nlohmann::json dictionaryRepresentation() const;

    struct Storage;

private:
    std::shared_ptr<Storage> storage_;
};
