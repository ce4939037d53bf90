#include "platform/didevero/RADEvuvozUziduz.hpp"

#include <cstdlib>
#include <iostream>
#include <utility>

#include <nlohmann/json.hpp>

#include "platform/foundation/AppDataDirectory.hpp"
#include "platform/foundation/AtomicFile.hpp"
#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/foundation/TransportSecurity.hpp"
#include "platform/foundation/URLSession.hpp"

namespace {

std::mutex defaultEndpointMutex;
std::optional<std::string> defaultEndpoint;

// One session for every client, never destroyed: a completion may hold the last reference to a
// client, and a session owned by that client would then wait for the very completion running it.
URLSession& session() {
    static URLSession* shared = [] {
        URLSessionConfiguration configuration;
        configuration.maximumResponseSize = RADEvuvozUziduz::maximumResponseBytes;
        configuration.maximumConcurrentTasks = 2;
        configuration.requiresSecureTransport = true;
        return new URLSession(configuration);
    }();
    return *shared;
}

NSError makeError(std::int64_t code, std::string description) {
    return NSError{RADEvuvozUziduz::errorDomain, code, std::move(description)};
}

// Configuration must not travel in clear text: the endpoint and every redirect from it are HTTPS,
// or plain HTTP to this machine only, which is how the tests serve it.
std::optional<std::string> endpointProblem(const std::string& endpoint) {
    if (auto problem = foundation::insecureTransportProblem(endpoint)) return "The endpoint " + *problem;
    return std::nullopt;
}

}  // namespace

std::shared_ptr<RADEvuvozUziduz> RADEvuvozUziduz::remoteConfig() {
    // Made anew after a restart, so it reads the storage file of the data folder then in use.
    // The holder is never released: fetch completions may still arrive while the process ends.
    static auto* shared = new ProcessShared<RADEvuvozUziduz>([] {
        Configuration configuration;
        {
            std::lock_guard lock(defaultEndpointMutex);
            if (defaultEndpoint) {
                configuration.endpoint = *defaultEndpoint;
            } else if (const char* fromEnvironment = std::getenv(endpointEnvironmentVariable)) {
                configuration.endpoint = fromEnvironment;
            }
        }
        configuration.storageFile = foundation::appDataDirectory() / storageFileName;
        return std::make_shared<RADEvuvozUziduz>(std::move(configuration));
    });
    return shared->get();
}

void RADEvuvozUziduz::setDefaultEndpoint(std::string endpoint) {
    std::lock_guard lock(defaultEndpointMutex);
    defaultEndpoint = std::move(endpoint);
}

RADEvuvozUziduz::RADEvuvozUziduz(Configuration configuration) : configuration_(std::move(configuration)) {
    loadStoredValues();
}

void RADEvuvozUziduz::loadStoredValues() {
    std::error_code ec;
    if (configuration_.storageFile.empty()) return;
    // What killed writers left behind can go; another running process may be writing this file
    // too, and keeps its own temporary file.
    foundation::removeTemporaryFiles(configuration_.storageFile);
    if (!std::filesystem::exists(configuration_.storageFile, ec)) return;
    auto unreadable = [this](const std::string& reason) {
        std::cerr << "Remote configuration file " << configuration_.storageFile.string() << " is unreadable ("
                  << reason << "); starting without remote values" << std::endl;
    };
    std::string readError;
    std::optional<std::string> contents = foundation::readFileContents(configuration_.storageFile, &readError);
    if (!contents) return unreadable(readError);
    NSError parseError;
    std::optional<nlohmann::json> root = NSJSONSerialization::JSONObjectWithData(*contents, &parseError);
    if (!root) return unreadable(parseError.localizedDescription);
    auto values = root->is_object() ? root->find("activatedValues") : root->end();
    if (values == root->end() || !values->is_object()) return unreadable("no \"activatedValues\" object");
    std::map<std::string, std::string> loaded;
    for (const auto& [key, text] : values->items()) {
        if (!text.is_string()) return unreadable("the value of \"" + key + "\" is not a text");
        loaded.emplace(key, text.get<std::string>());
    }
    activated_ = std::move(loaded);
}

RADEvuvozUziduzSettings RADEvuvozUziduz::configSettings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

void RADEvuvozUziduz::setConfigSettings(const RADEvuvozUziduzSettings& settings) {
    std::lock_guard lock(mutex_);
    settings_ = settings;
}

RADEvuvozUziduzFetchStatus RADEvuvozUziduz::lastFetchStatus() const {
    std::lock_guard lock(mutex_);
    return lastFetchStatus_;
}

RADEvuvozUziduzValue RADEvuvozUziduz::configValueForKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = activated_.find(key);
    return it == activated_.end() ? RADEvuvozUziduzValue() : RADEvuvozUziduzValue(it->second);
}

void RADEvuvozUziduz::completeInBackground(FetchCompletion completion, FetchOutcome outcome) {
    if (!completion) return;
    DispatchQueue::global().async([completion = std::move(completion), outcome = std::move(outcome)] {
        completion(outcome.status, outcome.error);
    });
}

void RADEvuvozUziduz::fetchWithExpirationDuration(double expirationDuration, FetchCompletion completion) {
    const double now = DispatchClock::now();
    double timeout;
    {
        std::lock_guard lock(mutex_);
        if (lastSuccessfulFetchTime_ && now - *lastSuccessfulFetchTime_ < expirationDuration) {
            lastFetchStatus_ = RADEvuvozUziduzFetchStatusSuccess;
            return completeInBackground(std::move(completion), {RADEvuvozUziduzFetchStatusSuccess, std::nullopt});
        }
        if (configuration_.endpoint.empty()) {
            lastFetchStatus_ = RADEvuvozUziduzFetchStatusFailure;
            return completeInBackground(
                std::move(completion), {RADEvuvozUziduzFetchStatusFailure,
                                        makeError(errorCodeNotConfigured, "No remote configuration endpoint is set.")});
        }
        if (auto problem = endpointProblem(configuration_.endpoint)) {
            lastFetchStatus_ = RADEvuvozUziduzFetchStatusFailure;
            return completeInBackground(std::move(completion), {RADEvuvozUziduzFetchStatusFailure,
                                                                makeError(errorCodeNotConfigured, *problem)});
        }
        if (lastRequestTime_ && now - *lastRequestTime_ < settings_.minimumFetchInterval()) {
            lastFetchStatus_ = RADEvuvozUziduzFetchStatusThrottled;
            return completeInBackground(
                std::move(completion),
                {RADEvuvozUziduzFetchStatusThrottled,
                 makeError(errorCodeThrottled, "Fetch throttled by the minimum fetch interval.")});
        }
        lastRequestTime_ = now;
        timeout = settings_.fetchTimeout();
    }

    NSURLRequest request;
    request.URL = configuration_.endpoint;
    request.allHTTPHeaderFields = {{"Accept", "application/json"}};
    request.timeoutInterval = timeout;
    auto self = shared_from_this();
    auto task = session().dataTaskWithRequest(
        request, [self, now, completion = std::move(completion)](std::optional<std::string> data,
                                                                 std::optional<NSHTTPURLResponse> response,
                                                                 std::optional<NSError> error) {
            FetchOutcome outcome =
                self->takeResponse(now, error, response ? response->statusCode : 0, data ? *data : std::string());
            if (completion) completion(outcome.status, outcome.error);
        });
    task->resume();
}

RADEvuvozUziduz::FetchOutcome RADEvuvozUziduz::takeResponse(double requestTime,
                                                            const std::optional<NSError>& transportError,
                                                            long httpStatus, const std::string& body) {
    auto fail = [this](NSError error) {
        std::lock_guard lock(mutex_);
        lastFetchStatus_ = RADEvuvozUziduzFetchStatusFailure;
        return FetchOutcome{RADEvuvozUziduzFetchStatusFailure, std::move(error)};
    };
    if (transportError) return fail(*transportError);
    if (httpStatus != 200)
        return fail(
            makeError(errorCodeServer, "The server answered with HTTP status " + std::to_string(httpStatus) + "."));

    std::map<std::string, std::string> values;
    if (auto problem = decodeResponse(body, values)) return fail(makeError(errorCodeInvalidResponse, *problem));

    std::lock_guard lock(mutex_);
    // Two fetches may overlap (the app comes to the front twice): a slower answer to the earlier
    // request must not replace the values of the later one.
    if (lastSuccessfulFetchTime_ && requestTime < *lastSuccessfulFetchTime_) {
        return {RADEvuvozUziduzFetchStatusSuccess, std::nullopt};
    }
    fetched_ = std::move(values);
    hasUnactivatedFetch_ = true;
    lastSuccessfulFetchTime_ = requestTime;
    lastFetchStatus_ = RADEvuvozUziduzFetchStatusSuccess;
    return {RADEvuvozUziduzFetchStatusSuccess, std::nullopt};
}

std::optional<std::string> RADEvuvozUziduz::decodeResponse(std::string_view body,
                                                           std::map<std::string, std::string>& values) {
    NSError parseError;
    std::optional<nlohmann::json> root = NSJSONSerialization::JSONObjectWithData(body, &parseError);
    if (!root) return parseError.localizedDescription;
    if (!root->is_object()) return "The response is not a JSON object.";
    values.clear();
    for (const auto& [key, value] : root->items()) {
        if (value.is_string()) {
            values.emplace(key, value.get<std::string>());
            continue;
        }
        NSError writeError;
        std::optional<std::string> text = NSJSONSerialization::dataWithJSONObject(value, false, &writeError);
        if (!text) return writeError.localizedDescription;
        values.emplace(key, std::move(*text));
    }
    return std::nullopt;
}

void RADEvuvozUziduz::activateWithCompletion(ActivateCompletion completion) {
    bool changed = false;
    std::uint64_t generation = 0;
    std::string text;
    {
        std::lock_guard lock(mutex_);
        if (hasUnactivatedFetch_) {
            hasUnactivatedFetch_ = false;
            changed = fetched_ != activated_;
            activated_ = fetched_;
            generation = ++activationGeneration_;
            text = nlohmann::json{{"activatedValues", activated_}}.dump();
        }
    }

    std::optional<NSError> error;
    if (changed && !configuration_.storageFile.empty()) {
        std::lock_guard lock(storageMutex_);
        // Two activations may race here; only a newer set of values may replace the file.
        if (generation > storedGeneration_) {
            std::error_code ec;
            std::filesystem::create_directories(configuration_.storageFile.parent_path(), ec);
            if (auto failure = foundation::writeFileAtomically(configuration_.storageFile, text)) {
                std::cerr << "Remote configuration not saved: " << *failure << std::endl;
                error = makeError(errorCodeInternal, "The activated values could not be saved: " + *failure);
            } else {
                storedGeneration_ = generation;
            }
        }
    }
    if (!completion) return;
    DispatchQueue::global().async([completion = std::move(completion), changed, error] { completion(changed, error); });
}
