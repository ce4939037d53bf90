#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP/1.1 server on 127.0.0.1 (a free port) for tests: answers each request with what
// the handler returns (or, made without one, with the response set last by respond()), one
// connection at a time, closing the connection after each reply.
class LocalHttpServer {
public:
    struct Request {
        std::string method;
        std::string path;
        std::map<std::string, std::string> headers;  // names in lower case
        std::string body;
    };
    struct Response {
        int status = 200;
        std::map<std::string, std::string> headers;
        std::string body;
        bool neverAnswer = false;  // keep the connection open without a reply
    };
    using Handler = std::function<Response(const Request&)>;

    explicit LocalHttpServer(Handler handler);
    LocalHttpServer()
        : LocalHttpServer([this](const Request&) {
              std::lock_guard lock(mutex_);
              return fixedResponse_;
          }) {}
    ~LocalHttpServer();

    // For a server made without a handler: what every later request gets.
    void respond(int status, std::string body) {
        std::lock_guard lock(mutex_);
        fixedResponse_ = Response{status, {}, std::move(body), false};
    }

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    std::vector<Request> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::size_t requestCount() const { return requests().size(); }

private:
    void handle(int connection);

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::vector<int> openConnections_;
    Response fixedResponse_{200, {}, "{}", false};
    std::thread thread_;
};
