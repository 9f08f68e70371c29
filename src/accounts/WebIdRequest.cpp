#include "accounts/WebIdRequest.h"

#include "net/URLEncode.h"
#include "platform/TextCodec.h"

namespace corvane::accounts {
namespace {

std::string_view BeforeFirstZero(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

std::optional<std::string> ParseWebIdAnswer(std::string_view answer) {
    constexpr std::string_view kAccepted = "+OK ";
    const auto at = answer.find(kAccepted);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(answer.substr(at + kAccepted.size()));
}

std::optional<std::string> GetWebID(const net::ServiceEndpoints& service,
                                    std::string_view accountName, std::string_view password,
                                    const net::HttpLimits& limits,
                                    const std::atomic<bool>* cancel) {
    const net::CURLEncode encoder;
    const std::string name =
        text::GbkTruncateBytes(text::Utf8ToGbk(BeforeFirstZero(accountName)), kMaxMemberNameBytes);
    const std::string url = service.WebId(encoder.Encode(BeforeFirstZero(name)),
                                          encoder.Encode(text::Utf8ToGbk(password)));
    net::CWinHttpEx client(limits);
    client.SetCancelFlag(cancel);
    std::string body;
    for (int attempt = 0; attempt < kWebIdAttempts; ++attempt) {
        if (client.Get(url, body)) {
            return ParseWebIdAnswer(text::GbkToUtf8(BeforeFirstZero(body)));
        }
    }
    return std::nullopt;
}

}  // namespace corvane::accounts
