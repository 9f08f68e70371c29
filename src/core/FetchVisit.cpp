#include "core/FetchVisit.h"

#include "net/ServiceEndpoints.h"
#include "platform/TextCodec.h"

namespace corvane {
namespace {

constexpr int kFeedAttempts = 3;

}  // namespace

std::optional<FeedRecord> FetchVisit(const net::ServiceEndpoints& service, const std::string& webId,
                                     const net::HttpLimits& limits,
                                     const std::atomic<bool>* cancel) {
    net::CWinHttpEx client(limits);
    client.SetCancelFlag(cancel);
    std::string body;
    bool answered = false;
    for (int attempt = 0; attempt < kFeedAttempts && !answered; ++attempt) {
        answered = client.Get(service.VisitorFeed(webId), body);
    }
    if (!answered) {
        return std::nullopt;
    }
    const std::string text = text::GbkToUtf8(std::string_view(body.c_str()));
    client.Close();
    return ParseFeedRecord(text);
}

}  // namespace corvane
