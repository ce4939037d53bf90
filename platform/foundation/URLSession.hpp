#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSError.hpp"

namespace foundation {
class DispatchWorker;
}

struct NSURLRequest {
    std::string URL;
    std::string HTTPMethod = "GET";
    std::map<std::string, std::string> allHTTPHeaderFields;
    std::string HTTPBody;
    double timeoutInterval = 60.0;  // seconds for the whole exchange, capped by the session's limit
};

struct NSHTTPURLResponse {
    std::string URL;  // after redirects
    long statusCode = 0;
    std::map<std::string, std::string> allHeaderFields;  // names in lower case
};

// Error codes of the domain "NSURLErrorDomain".
enum NSURLErrorCode : std::int64_t {
    NSURLErrorUnknown = -1,
    NSURLErrorCancelled = -999,
    NSURLErrorBadURL = -1000,
    NSURLErrorTimedOut = -1001,
    NSURLErrorUnsupportedURL = -1002,
    NSURLErrorCannotFindHost = -1003,
    NSURLErrorCannotConnectToHost = -1004,
    NSURLErrorNetworkConnectionLost = -1005,
    NSURLErrorHTTPTooManyRedirects = -1007,
    NSURLErrorAppTransportSecurityRequiresSecureConnection = -1022,
    NSURLErrorDataLengthExceedsMaximum = -1103,
    NSURLErrorSecureConnectionFailed = -1200,
};

struct URLSessionConfiguration {
    double timeoutIntervalForConnect = 15.0;   // seconds to establish the connection
    double timeoutIntervalForResource = 60.0;  // upper bound of any exchange, whatever a request asks
    std::size_t maximumResponseSize = 32u << 20;  // larger bodies fail instead of filling memory
    int maximumConcurrentTasks = 4;
    int maximumRedirects = 5;  // one more fails with NSURLErrorHTTPTooManyRedirects
    // Every request and every redirect must pass foundation::insecureTransportProblem (HTTPS, or
    // plain HTTP to this machine); an address that breaks it fails with
    // NSURLErrorAppTransportSecurityRequiresSecureConnection before any connection is made.
    bool requiresSecureTransport = false;
};

// One HTTP(S) exchange. Nothing happens until resume(); the completion then runs exactly once,
// on one of the session's threads: with the body and the response, or with an error.
class URLSessionDataTask : public std::enable_shared_from_this<URLSessionDataTask> {
public:
    using CompletionHandler = std::function<void(std::optional<std::string> data,
                                                 std::optional<NSHTTPURLResponse> response,
                                                 std::optional<NSError> error)>;
    enum class State { suspended, running, canceling, completed };

    void resume();
    // Ends the exchange early; the completion gets NSURLErrorCancelled unless it already ran.
    void cancel();
    State state() const;
    const NSURLRequest& originalRequest() const { return request_; }

private:
    friend class URLSession;
    URLSessionDataTask(NSURLRequest request, URLSessionConfiguration configuration,
                       std::shared_ptr<foundation::DispatchWorker> worker, CompletionHandler completion);
    void perform();
    std::optional<NSError> refusedHop(const std::string& url) const;
    void finish(std::optional<std::string> data, std::optional<NSHTTPURLResponse> response,
                std::optional<NSError> error);

    NSURLRequest request_;
    URLSessionConfiguration configuration_;
    std::shared_ptr<foundation::DispatchWorker> worker_;
    CompletionHandler completion_;
    mutable std::mutex mutex_;
    State state_ = State::suspended;
    std::atomic<bool> cancelled_{false};
};

// Runs data tasks over HTTP and HTTPS (other schemes are refused, also as redirect targets), on
// threads of its own, with bounded connect and total time-outs. Redirects are followed hop by hop,
// each hop checked before it is requested; 303, and 301 or 302 after a POST, continue as GET.
// Requests to this machine never go through a proxy set in the environment.
class URLSession {
public:
    static URLSession& sharedSession();

    explicit URLSession(URLSessionConfiguration configuration = {});
    // Cancels what is still running and waits for the completions.
    ~URLSession();

    URLSession(const URLSession&) = delete;
    URLSession& operator=(const URLSession&) = delete;

    std::shared_ptr<URLSessionDataTask> dataTaskWithURL(const std::string& url,
                                                        URLSessionDataTask::CompletionHandler completion);
    std::shared_ptr<URLSessionDataTask> dataTaskWithRequest(const NSURLRequest& request,
                                                            URLSessionDataTask::CompletionHandler completion);

private:
    URLSessionConfiguration configuration_;
    std::shared_ptr<foundation::DispatchWorker> worker_;
    std::mutex tasksMutex_;
    std::vector<std::weak_ptr<URLSessionDataTask>> tasks_;
};
