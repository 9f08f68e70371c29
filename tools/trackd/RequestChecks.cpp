#include "RequestChecks.h"

#include <arpa/inet.h>

#include <random>

#include "platform/TextCodec.h"

namespace corvane::trackd {

std::optional<std::int64_t> ParseWebId(std::string_view text) {
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value > 0 ? std::optional<std::int64_t>(value) : std::nullopt;
}

bool IsUsableVisitorName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '|') {
            return false;
        }
    }
    const auto reencoded = text::ConvertCharset(name, "UTF-8", "UTF-8");
    return reencoded && *reencoded == name && text::Utf8Length(name) <= 64;
}

std::string FeedSafePage(std::string_view referer) {
    const std::string cut = text::Utf8TruncateBytes(referer, 2048);
    std::string page;
    page.reserve(cut.size());
    for (char c : cut) {
        if (c == '|') {
            page += "%7C";
        } else {
            page += c;
        }
    }
    return page;
}

std::string CookieValue(std::string_view header, std::string_view name) {
    while (!header.empty()) {
        const auto end = header.find(';');
        std::string_view pair = header.substr(0, end);
        header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
        while (pair.starts_with(' ')) {
            pair.remove_prefix(1);
        }
        if (pair.size() > name.size() && pair.starts_with(name) && pair[name.size()] == '=') {
            return std::string(pair.substr(name.size() + 1));
        }
    }
    return {};
}

bool IsVisitorToken(std::string_view token) {
    if (token.size() != 16) {
        return false;
    }
    for (char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

std::string NewVisitorToken() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::uint64_t value = generator();
    std::string token(16, '0');
    for (char& c : token) {
        c = kDigits[value & 0xF];
        value >>= 4;
    }
    return token;
}

bool IsIpAddress(const std::string& text) {
    unsigned char buffer[16];
    return inet_pton(AF_INET, text.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

}  // namespace corvane::trackd
