#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "TrackdStore.h"

namespace corvane::trackd {

// Demo traffic: N visits a minute to one account, from varied addresses, member names and
// product pages; some of the visitors show as online in the messenger.
class VisitSimulator {
public:
    // Visits point at the product pages of the service at `pageHost` ("host:port").
    VisitSimulator(TrackdStore& store, std::int64_t webId, int visitsPerMinute,
                   std::string pageHost);
    ~VisitSimulator();  // stops and joins
    VisitSimulator(const VisitSimulator&) = delete;
    VisitSimulator& operator=(const VisitSimulator&) = delete;

    void Start();
    void Stop();

private:
    void Run();

    TrackdStore& store_;
    std::int64_t webId_;
    int visitsPerMinute_;
    std::string pageHost_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace corvane::trackd
