#include "net/UrlParts.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace corvane::net {
namespace {

struct UrlHandleDeleter {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlHandleDeleter>;

std::optional<std::string> ReadPart(CURLU* handle, CURLUPart part, unsigned int flags = 0) {
    char* value = nullptr;
    if (curl_url_get(handle, part, &value, flags) != CURLUE_OK || value == nullptr) {
        return std::nullopt;
    }
    std::string text(value);
    curl_free(value);
    return text;
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

}  // namespace

std::optional<UrlParts> CrackUrl(std::string_view url) {
    const std::string lowered = Lowered(url);
    const bool secure = lowered.starts_with("https://");
    if (!secure && !lowered.starts_with("http://")) {
        return std::nullopt;
    }
    UrlHandle handle(curl_url());
    if (!handle ||
        curl_url_set(handle.get(), CURLUPART_URL, std::string(url).c_str(), 0) != CURLUE_OK) {
        return std::nullopt;
    }
    auto host = ReadPart(handle.get(), CURLUPART_HOST);
    auto port = ReadPart(handle.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    auto path = ReadPart(handle.get(), CURLUPART_PATH);
    if (!host || host->empty() || !port || !path) {
        return std::nullopt;
    }
    UrlParts parts;
    parts.secure = secure;
    parts.host = *host;
    parts.port = std::stoi(*port);
    parts.pathAndQuery = path->empty() ? "/" : *path;
    if (auto query = ReadPart(handle.get(), CURLUPART_QUERY)) {
        parts.pathAndQuery += "?" + *query;
    }
    return parts;
}

}  // namespace corvane::net
