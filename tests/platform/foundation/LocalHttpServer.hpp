#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP/1.1 server on 127.0.0.1 (a free port) for tests: answers each request with what
// the handler returns, one connection at a time, closing the connection after each reply.
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
    ~LocalHttpServer();

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    std::vector<Request> requests() const;

private:
    void serve();
    void handle(int connection);

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::vector<int> openConnections_;
    std::thread thread_;
};
