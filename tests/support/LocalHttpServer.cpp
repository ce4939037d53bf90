#include "support/LocalHttpServer.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {
// A proxy configured on the test machine must not come between the tests and their own server.
// Set before main(), while the program is still single-threaded.
const bool loopbackBypassesProxies =
    ::setenv("no_proxy", "127.0.0.1,localhost", 1) == 0 && ::setenv("NO_PROXY", "127.0.0.1,localhost", 1) == 0;
}  // namespace

LocalHttpServer::LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 16);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
        while (!stopping_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (::poll(&waiting, 1, 20) <= 0) continue;
            if (int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC); connection >= 0)
                handle(connection);
        }
    });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
    std::lock_guard lock(mutex_);
    for (int connection : openConnections_) ::close(connection);
}

void LocalHttpServer::handle(int connection) {
    std::string received;
    auto receive = [&] {
        char buffer[4096];
        ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
        return n > 0;
    };
    std::size_t headerEnd;
    while ((headerEnd = received.find("\r\n\r\n")) == std::string::npos)
        if (!receive()) return void(::close(connection));
    Request request;
    std::istringstream head(received.substr(0, headerEnd));
    std::string line;
    std::getline(head, line);
    std::istringstream(line) >> request.method >> request.path;
    while (std::getline(head, line)) {
        std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string name = line.substr(0, colon);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        std::size_t start = std::min(line.find_first_not_of(' ', colon + 1), line.size());
        request.headers[name] = line.substr(start, line.find_last_not_of('\r') + 1 - start);
    }
    auto length = request.headers.find("content-length");
    std::size_t bodyEnd = headerEnd + 4 + (length == request.headers.end() ? 0 : std::stoul(length->second));
    while (received.size() < bodyEnd)
        if (!receive()) break;
    request.body = received.substr(headerEnd + 4);
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
