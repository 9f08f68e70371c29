#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "core/FeedRecord.h"
#include "net/WinHttpEx.h"

namespace corvane {

namespace net {
class ServiceEndpoints;
}

// Asks the visitor feed for the account's next visit: up to three requests, one right after
// the other, on a client of its own. The body is GBK text up to its first 0 byte. nullopt
// when no request succeeded or the body holds no valid record.
std::optional<FeedRecord> FetchVisit(const net::ServiceEndpoints& service, const std::string& webId,
                                     const net::HttpLimits& limits = {},
                                     const std::atomic<bool>* cancel = nullptr);

}  // namespace corvane
