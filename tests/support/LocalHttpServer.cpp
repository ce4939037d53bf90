#include "support/LocalHttpServer.hpp"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace {
// A proxy configured on the test machine must not come between the tests and their own server.
// Set before main(), while the program is still single-threaded.
const bool loopbackBypassesProxies = [] {
    ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    return true;
}();
}  // namespace

LocalHttpServer::LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 16);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::LocalHttpServer()
    : LocalHttpServer([this](const Request&) {
          std::lock_guard lock(mutex_);
          return fixedResponse_;
      }) {}

void LocalHttpServer::respond(int status, std::string body) {
    std::lock_guard lock(mutex_);
    fixedResponse_.status = status;
    fixedResponse_.body = std::move(body);
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
    std::lock_guard lock(mutex_);
    for (int connection : openConnections_) ::close(connection);
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<LocalHttpServer::Request> LocalHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) continue;
        int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0) handle(connection);
    }
}

void LocalHttpServer::handle(int connection) {
    std::string received;
    char buffer[4096];
    std::size_t headerEnd;
    while ((headerEnd = received.find("\r\n\r\n")) == std::string::npos) {
        ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) {
            ::close(connection);
            return;
        }
        received.append(buffer, static_cast<std::size_t>(n));
    }
    Request request;
    std::string head = received.substr(0, headerEnd);
    std::size_t lineEnd = head.find("\r\n");
    std::string requestLine = head.substr(0, lineEnd);
    request.method = requestLine.substr(0, requestLine.find(' '));
    std::size_t pathStart = requestLine.find(' ') + 1;
    request.path = requestLine.substr(pathStart, requestLine.find(' ', pathStart) - pathStart);
    for (std::size_t pos = lineEnd; pos != std::string::npos && pos < head.size();) {
        std::size_t next = head.find("\r\n", pos + 2);
        std::string line = head.substr(pos + 2, next == std::string::npos ? std::string::npos : next - pos - 2);
        if (auto colon = line.find(':'); colon != std::string::npos) {
            std::string name = line.substr(0, colon);
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            std::string value = line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(' '));
            request.headers[name] = value;
        }
        pos = next;
    }
    request.body = received.substr(headerEnd + 4);
    if (auto length = request.headers.find("content-length"); length != request.headers.end()) {
        std::size_t expected = std::stoul(length->second);
        while (request.body.size() < expected) {
            ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.body.append(buffer, static_cast<std::size_t>(n));
        }
    }
    Response response = handler_(request);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        if (response.neverAnswer) {
            openConnections_.push_back(connection);
            return;
        }
    }
    std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " Test\r\n";
    for (const auto& [name, value] : response.headers) reply += name + ": " + value + "\r\n";
    reply += "Content-Length: " + std::to_string(response.body.size()) + "\r\nConnection: close\r\n\r\n";
    reply += response.body;
    for (std::size_t sent = 0; sent < reply.size();) {
        ssize_t n = ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    ::close(connection);
}
