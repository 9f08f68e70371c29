#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace corvane::testing {

// A TCP listener on 127.0.0.1 that is no HTTP server, for the faults trackd never shows:
// silent (connections wait in the backlog and nothing is ever read or answered), or canned
// (each connection gets the same bytes back after its request and is closed).
class LoopbackListener {
public:
    LoopbackListener() { Listen(); }
    explicit LoopbackListener(std::string cannedAnswer) : answer_(std::move(cannedAnswer)) {
        if (Listen()) {
            thread_ = std::thread([this] { Serve(); });
        }
    }
    ~LoopbackListener() {
        stopping_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        if (socket_ >= 0) {
            close(socket_);
        }
    }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int port() const { return port_; }
    int requests() const { return requests_; }

private:
    bool Listen() {
        socket_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (socket_ < 0 || bind(socket_, generic, length) != 0 || listen(socket_, 16) != 0 ||
            getsockname(socket_, generic, &length) != 0) {
            return false;
        }
        port_ = ntohs(address.sin_port);
        return true;
    }

    void Serve() {
        while (!stopping_) {
            pollfd waiting{socket_, POLLIN, 0};
            if (poll(&waiting, 1, 20) <= 0) {
                continue;
            }
            const int connection = accept(socket_, nullptr, nullptr);
            if (connection < 0) {
                continue;
            }
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                pollfd readable{connection, POLLIN, 0};
                const ssize_t count =
                    poll(&readable, 1, 1000) > 0 ? recv(connection, buffer, sizeof buffer, 0) : -1;
                if (count <= 0) {
                    break;
                }
                request.append(buffer, static_cast<std::size_t>(count));
            }
            ++requests_;
            send(connection, answer_.data(), answer_.size(), MSG_NOSIGNAL);
            close(connection);
        }
    }

    std::string answer_;
    int socket_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace corvane::testing
