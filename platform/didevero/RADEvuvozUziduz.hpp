#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/didevero/RADEvuvozUziduzSettings.hpp"
#include "platform/didevero/RADEvuvozUziduzValue.hpp"
#include "platform/foundation/NSError.hpp"

enum RADEvuvozUziduzFetchStatus : std::int64_t {
    RADEvuvozUziduzFetchStatusNoFetchYet = 0,
    RADEvuvozUziduzFetchStatusSuccess = 1,
    RADEvuvozUziduzFetchStatusFailure = 2,
    RADEvuvozUziduzFetchStatusThrottled = 3,
};

// The remote-configuration client. It asks one endpoint for a JSON object of key -> JSON value,
// keeps what it fetched apart until activateWithCompletion makes it the current values, and keeps
// the current values between runs in a file of the data folder.
//
// A string value is held as its text, any other value as its JSON text. Completions run on a
// background thread, never on the caller's. Safe to use from any thread.
//
// Only HTTPS endpoints are asked, except plain HTTP to the loopback host for local testing; a
// redirect to an address that breaks this rule fails the fetch before it is followed.
// Responses larger than maximumResponseBytes, or that are not a JSON object, fail the fetch and
// leave everything held as it was.
class RADEvuvozUziduz : public std::enable_shared_from_this<RADEvuvozUziduz> {
public:
    static constexpr const char* errorDomain = "RADEvuvozUziduzErrorDomain";
    enum ErrorCode : std::int64_t {
        errorCodeInternal = 8001,
        errorCodeThrottled = 8002,
        errorCodeNotConfigured = 8003,
        errorCodeServer = 8004,
        errorCodeInvalidResponse = 8005,
    };
    static constexpr std::size_t maximumResponseBytes = 4 * 1024 * 1024;
    static constexpr const char* endpointEnvironmentVariable = "RADIXEL_REMOTE_CONFIG_URL";
    static constexpr const char* storageFileName = "remote-config.json";

    using FetchCompletion = std::function<void(RADEvuvozUziduzFetchStatus status, std::optional<NSError> error)>;
    using ActivateCompletion = std::function<void(bool changed, std::optional<NSError> error)>;

    struct Configuration {
        std::string endpoint;               // empty: every fetch fails, the held values stay
        std::filesystem::path storageFile;  // where the activated values are kept
    };

    // The one client of the application: its endpoint comes from setDefaultEndpoint, else from
    // RADIXEL_REMOTE_CONFIG_URL (none by default); its file lies in the application data folder.
    static std::shared_ptr<RADEvuvozUziduz> remoteConfig();

    // For the program's command line: used instead of the environment when the shared client is
    // made, so it must be called before the first remoteConfig().
    static void setDefaultEndpoint(std::string endpoint);

    // Reads the values activated in an earlier run from configuration.storageFile.
    explicit RADEvuvozUziduz(Configuration configuration);

    RADEvuvozUziduz(const RADEvuvozUziduz&) = delete;
    RADEvuvozUziduz& operator=(const RADEvuvozUziduz&) = delete;

    RADEvuvozUziduzSettings configSettings() const;
    void setConfigSettings(const RADEvuvozUziduzSettings& settings);

    // Fetched values younger than expirationDuration seconds are answered as a success without a
    // request; otherwise the server is asked, unless the last request lies less than the minimum
    // fetch interval back (throttled). Failures keep the fetched values as they were.
    void fetchWithExpirationDuration(double expirationDuration, FetchCompletion completion);

    // Makes the last fetched values the current ones and stores them; completes once, with
    // whether the current values changed.
    void activateWithCompletion(ActivateCompletion completion);

    // The current (activated) value of key; an empty value when there is none.
    RADEvuvozUziduzValue configValueForKey(const std::string& key) const;

    RADEvuvozUziduzFetchStatus lastFetchStatus() const;

    // The values of a server's answer: a JSON object whose strings are kept as their text and
    // other values as their JSON text. The reason when the answer is not usable (values is then
    // unspecified).
    static std::optional<std::string> decodeResponse(std::string_view body, std::map<std::string, std::string>& values);

private:
    struct FetchOutcome {
        RADEvuvozUziduzFetchStatus status;
        std::optional<NSError> error;
    };

    void loadStoredValues();
    FetchOutcome takeResponse(double requestTime, const std::optional<NSError>& transportError, long httpStatus,
                              const std::string& body);
    static void completeInBackground(FetchCompletion completion, FetchOutcome outcome);

    const Configuration configuration_;
    mutable std::mutex mutex_;
    std::mutex storageMutex_;  // held while the file is written; taken after mutex_, never with it
    std::uint64_t activationGeneration_ = 0;
    std::uint64_t storedGeneration_ = 0;
    RADEvuvozUziduzSettings settings_;
    std::map<std::string, std::string> activated_;
    std::map<std::string, std::string> fetched_;
    bool hasUnactivatedFetch_ = false;
    std::optional<double> lastSuccessfulFetchTime_;
    std::optional<double> lastRequestTime_;
    RADEvuvozUziduzFetchStatus lastFetchStatus_ = RADEvuvozUziduzFetchStatusNoFetchYet;
};
