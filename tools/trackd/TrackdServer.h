#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "TrackdStore.h"

namespace httplib {
class Server;
}

namespace corvane::trackd {

struct ServerOptions {
    std::string release = "4.2";     // answered by the version endpoint
    bool trustForwardedFor = false;  // behind a proxy: the visitor IP is X-Forwarded-For's
    std::FILE* accessLog = nullptr;  // request line and headers of every request
};

// The tracking service's HTTP face: the visit image, the web id, the visitor feed, the
// version and the small pages, and the messenger provider's status and card endpoints.
class TrackdServer {
public:
    TrackdServer(TrackdStore& store, ServerOptions options);
    ~TrackdServer();
    TrackdServer(const TrackdServer&) = delete;
    TrackdServer& operator=(const TrackdServer&) = delete;

    // Port 0 picks a free one. The bound port, or -1.
    int Bind(const std::string& host, int port);
    // Serves until Stop(); false when it could not.
    bool Serve();
    void Stop();

private:
    void Route();
    void LogRequest(const std::string& requestLine, const std::string& headers);

    TrackdStore& store_;
    ServerOptions options_;
    std::unique_ptr<httplib::Server> server_;
    std::mutex logMutex_;
};

}  // namespace corvane::trackd
