#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::trackd {

// A web id parameter: 1 to 18 decimal digits, above 0.
std::optional<std::int64_t> ParseWebId(std::string_view text);

// A visitor name the feed can carry: valid UTF-8, 1 to 64 characters, no control
// characters and no "|" (the feed's separators are built from it).
bool IsUsableVisitorName(std::string_view name);

// The page address as the feed carries it: at most 2048 bytes, cut on a character
// boundary, with "|" written as "%7C" so that it cannot end a field.
std::string FeedSafePage(std::string_view referer);

// The value of one cookie in a Cookie header, "" when absent.
std::string CookieValue(std::string_view header, std::string_view name);

// A visitor token as the service hands it out: 16 lower-case hexadecimal digits.
bool IsVisitorToken(std::string_view token);
std::string NewVisitorToken();

// A textual IPv4 or IPv6 address.
bool IsIpAddress(const std::string& text);

}  // namespace corvane::trackd
