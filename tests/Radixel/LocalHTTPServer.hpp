#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

// A tiny HTTP/1.1 server on 127.0.0.1 for tests: answers every request with the response set
// last, one connection at a time, and counts the requests.
class LocalHTTPServer {
public:
    LocalHTTPServer();
    ~LocalHTTPServer();
    LocalHTTPServer(const LocalHTTPServer&) = delete;
    LocalHTTPServer& operator=(const LocalHTTPServer&) = delete;

    void respond(int status, std::string body);
    std::string url() const;
    int requestCount() const { return requests_.load(); }

private:
    void serve();
    void answer(int connection);

    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<int> requests_{0};
    mutable std::mutex mutex_;
    int status_ = 200;
    std::string body_ = "{}";
    std::thread thread_;
};
