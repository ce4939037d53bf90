#include "platform/foundation/URLSession.hpp"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>

#include <curl/curl.h>

#include "platform/foundation/CurlLibrary.hpp"
#include "platform/foundation/DispatchWorker.hpp"
#include "platform/foundation/TransportSecurity.hpp"

namespace {

constexpr const char* errorDomain = "NSURLErrorDomain";

long milliseconds(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return 1;
    double ms = std::ceil(seconds * 1000.0);
    return ms > static_cast<double>(std::numeric_limits<long>::max()) ? std::numeric_limits<long>::max()
                                                                       : static_cast<long>(ms);
}

struct Transfer {
    std::string body;
    std::size_t maximumSize = 0;
    bool tooLarge = false;
    std::map<std::string, std::string> headers;
    const std::atomic<bool>* cancelled = nullptr;
};

std::size_t receiveBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    std::size_t length = size * count;
    if (transfer->body.size() + length > transfer->maximumSize) {
        transfer->tooLarge = true;
        return 0;  // makes the library stop with a write error
    }
    transfer->body.append(data, length);
    return length;
}

std::string trimmed(std::string text) {
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

std::size_t receiveHeader(char* data, std::size_t size, std::size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    std::string line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
        transfer->headers.clear();  // a new response after a redirect or a 100 Continue
    } else if (auto colon = line.find(':'); colon != std::string::npos) {
        std::string name = trimmed(line.substr(0, colon));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        transfer->headers[name] = trimmed(line.substr(colon + 1));
    }
    return size * count;
}

int checkCancelled(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(context)->cancelled->load() ? 1 : 0;
}

NSError errorFor(CURLcode code, const Transfer& transfer, const char* detail) {
    std::int64_t urlCode = NSURLErrorUnknown;
    std::string description;
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        urlCode = NSURLErrorTimedOut;
        description = "The request timed out.";
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        urlCode = NSURLErrorCannotFindHost;
        description = "A server with the specified hostname could not be found.";
        break;
    case CURLE_COULDNT_CONNECT:
        urlCode = NSURLErrorCannotConnectToHost;
        description = "Could not connect to the server.";
        break;
    case CURLE_URL_MALFORMAT:
        urlCode = NSURLErrorBadURL;
        description = "bad URL";
        break;
    case CURLE_UNSUPPORTED_PROTOCOL:
        urlCode = NSURLErrorUnsupportedURL;
        description = "unsupported URL";
        break;
    case CURLE_ABORTED_BY_CALLBACK:
        urlCode = NSURLErrorCancelled;
        description = "cancelled";
        break;
    case CURLE_WRITE_ERROR:
        if (transfer.tooLarge) {
            urlCode = NSURLErrorDataLengthExceedsMaximum;
            description = "The response is larger than the session accepts.";
        }
        break;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        urlCode = NSURLErrorNetworkConnectionLost;
        description = "The network connection was lost.";
        break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
        urlCode = NSURLErrorSecureConnectionFailed;
        description = "An SSL error has occurred and a secure connection to the server cannot be made.";
        break;
    default:
        break;
    }
    if (description.empty()) description = "An unknown error occurred.";
    if (detail && *detail) description += " (" + std::string(detail) + ")";
    return NSError{errorDomain, urlCode, description};
}

}  // namespace

URLSessionDataTask::URLSessionDataTask(NSURLRequest request, URLSessionConfiguration configuration,
                                       std::shared_ptr<foundation::DispatchWorker> worker, CompletionHandler completion)
    : request_(std::move(request)),
      configuration_(configuration),
      worker_(std::move(worker)),
      completion_(std::move(completion)) {}

void URLSessionDataTask::resume() {
    {
        std::lock_guard lock(mutex_);
        if (state_ != State::suspended) return;
        state_ = State::running;
    }
    // The queued work keeps the task alive until its completion has run.
    if (!worker_->add([self = shared_from_this()] { self->perform(); }, std::nullopt))
        finish(std::nullopt, std::nullopt, NSError{errorDomain, NSURLErrorCancelled, "cancelled"});
}

void URLSessionDataTask::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (state_ == State::running) state_ = State::canceling;
    // A task never resumed has nothing to end: its completion runs only after resume().
}

URLSessionDataTask::State URLSessionDataTask::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void URLSessionDataTask::finish(std::optional<std::string> data, std::optional<NSHTTPURLResponse> response,
                                std::optional<NSError> error) {
    CompletionHandler completion;
    {
        std::lock_guard lock(mutex_);
        if (state_ == State::completed) return;
        state_ = State::completed;
        completion.swap(completion_);
    }
    if (completion) completion(std::move(data), std::move(response), std::move(error));
}

std::optional<NSError> URLSessionDataTask::refusedHop(const std::string& url) const {
    if (!configuration_.requiresSecureTransport) return std::nullopt;
    std::optional<std::string> problem = foundation::insecureTransportProblem(url);
    if (!problem) return std::nullopt;
    return NSError{errorDomain, NSURLErrorAppTransportSecurityRequiresSecureConnection,
                   "The resource could not be loaded because a secure connection is required: " + *problem};
}

void URLSessionDataTask::perform() {
    if (cancelled_) return finish(std::nullopt, std::nullopt, NSError{errorDomain, NSURLErrorCancelled, "cancelled"});
    const foundation::CurlLibrary* lib = foundation::CurlLibrary::get();
    if (!lib)
        return finish(std::nullopt, std::nullopt,
                      NSError{errorDomain, NSURLErrorUnknown,
                              "the network library could not be loaded: " + foundation::CurlLibrary::loadError()});
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(lib->easy_init(), lib->easy_cleanup);
    if (!curl) return finish(std::nullopt, std::nullopt, NSError{errorDomain, NSURLErrorUnknown, "out of resources"});

    Transfer transfer;
    transfer.maximumSize = configuration_.maximumResponseSize;
    transfer.cancelled = &cancelled_;
    char detail[CURL_ERROR_SIZE] = {};
    double total = std::min(request_.timeoutInterval, configuration_.timeoutIntervalForResource);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds(total));

    CURL* handle = curl.get();
    lib->easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);  // time-outs must not use signals in threads
    lib->easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    // Redirects are followed here, hop by hop, so that each target is checked before it is asked.
    lib->easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    lib->easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, milliseconds(configuration_.timeoutIntervalForConnect));
    lib->easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
    lib->easy_setopt(handle, CURLOPT_ERRORBUFFER, detail);
    lib->easy_setopt(handle, CURLOPT_WRITEFUNCTION, receiveBody);
    lib->easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    lib->easy_setopt(handle, CURLOPT_HEADERFUNCTION, receiveHeader);
    lib->easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    lib->easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    lib->easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, checkCancelled);
    lib->easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);

    std::string method = request_.HTTPMethod.empty() ? "GET" : request_.HTTPMethod;
    if (method == "HEAD") {
        lib->easy_setopt(handle, CURLOPT_NOBODY, 1L);
    } else if (method != "GET" || !request_.HTTPBody.empty()) {
        if (method != "POST") lib->easy_setopt(handle, CURLOPT_CUSTOMREQUEST, method.c_str());
        lib->easy_setopt(handle, CURLOPT_POSTFIELDS, request_.HTTPBody.data());
        lib->easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request_.HTTPBody.size()));
    }
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(nullptr, lib->slist_free_all);
    for (const auto& [name, value] : request_.allHTTPHeaderFields) {
        // A line break would let a header value smuggle further headers into the request.
        if (name.find_first_of("\r\n:") != std::string::npos || value.find_first_of("\r\n") != std::string::npos)
            continue;
        std::string line = name + ": " + value;
        if (curl_slist* grown = lib->slist_append(headers.get(), line.c_str())) {
            headers.release();
            headers.reset(grown);
        }
    }
    if (headers) lib->easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());

    std::string url = request_.URL;
    long statusCode = 0;
    for (int redirects = 0;; ++redirects) {
        if (auto refused = refusedHop(url)) return finish(std::nullopt, std::nullopt, std::move(refused));
        long left = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
        if (left <= 0) return finish(std::nullopt, std::nullopt, errorFor(CURLE_OPERATION_TIMEDOUT, transfer, ""));
        lib->easy_setopt(handle, CURLOPT_URL, url.c_str());
        lib->easy_setopt(handle, CURLOPT_TIMEOUT_MS, left);
        // An empty proxy turns off the one the environment names; none leaves that choice to it.
        lib->easy_setopt(handle, CURLOPT_PROXY, foundation::isLoopbackURL(url) ? "" : nullptr);
        transfer.body.clear();
        transfer.headers.clear();

        CURLcode result = lib->easy_perform(handle);
        if (result != CURLE_OK) return finish(std::nullopt, std::nullopt, errorFor(result, transfer, detail));
        lib->easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &statusCode);
        char* location = nullptr;
        lib->easy_getinfo(handle, CURLINFO_REDIRECT_URL, &location);
        bool redirected = location && (statusCode == 301 || statusCode == 302 || statusCode == 303 ||
                                       statusCode == 307 || statusCode == 308);
        if (!redirected) break;
        if (redirects == configuration_.maximumRedirects)
            return finish(std::nullopt, std::nullopt,
                          NSError{errorDomain, NSURLErrorHTTPTooManyRedirects, "too many HTTP redirects"});
        url = location;
        if ((statusCode == 303 && method != "HEAD") || ((statusCode == 301 || statusCode == 302) && method == "POST")) {
            method = "GET";
            lib->easy_setopt(handle, CURLOPT_CUSTOMREQUEST, nullptr);
            lib->easy_setopt(handle, CURLOPT_HTTPGET, 1L);
        }
    }

    NSHTTPURLResponse response;
    response.statusCode = statusCode;
    response.URL = url;
    response.allHeaderFields = std::move(transfer.headers);
    finish(std::move(transfer.body), std::move(response), std::nullopt);
}

URLSession& URLSession::sharedSession() {
    // Never destroyed: a completion may still be running while the process exits.
    static URLSession* session = new URLSession();
    return *session;
}

URLSession::URLSession(URLSessionConfiguration configuration)
    : configuration_(configuration),
      worker_(foundation::DispatchWorker::start("URLSession", std::max(1, configuration.maximumConcurrentTasks))) {}

URLSession::~URLSession() {
    {
        std::lock_guard lock(tasksMutex_);
        for (auto& weak : tasks_)
            if (auto task = weak.lock()) task->cancel();
    }
    worker_->shutDown();
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTaskWithURL(const std::string& url,
                                                                URLSessionDataTask::CompletionHandler completion) {
    NSURLRequest request;
    request.URL = url;
    return dataTaskWithRequest(request, std::move(completion));
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTaskWithRequest(const NSURLRequest& request,
                                                                    URLSessionDataTask::CompletionHandler completion) {
    std::shared_ptr<URLSessionDataTask> task(
        new URLSessionDataTask(request, configuration_, worker_, std::move(completion)));
    std::lock_guard lock(tasksMutex_);
    std::erase_if(tasks_, [](const auto& weak) { return weak.expired(); });
    tasks_.push_back(task);
    return task;
}
