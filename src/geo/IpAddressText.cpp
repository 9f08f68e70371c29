#include "geo/IpAddressText.h"

#include <limits>

namespace corvane::geo {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Hand-written rather than std::atoi: atoi's result is undefined when the digits overflow,
// and an address typed by a visitor may hold any number of them. Overflow saturates.
std::int32_t DecimalPrefix(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && IsCSpace(token[i])) {
        ++i;
    }
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-value);
    }
    return static_cast<std::int32_t>(value >= kLimit ? kLimit - 1 : value);
}

}  // namespace

std::uint32_t ParseIpAddress(std::string_view text) {
    std::uint32_t address = 0;
    int parts = 0;
    std::size_t tokenStart = 0;
    // The text ends with an implied "." so the last part is converted like the others.
    for (std::size_t i = 0; i <= text.size() && parts < 4; ++i) {
        if (i < text.size() && text[i] != '.') {
            continue;
        }
        const auto part =
            static_cast<std::uint32_t>(DecimalPrefix(text.substr(tokenStart, i - tokenStart)));
        address |= (part & 0xFF) << (8 * (3 - parts));
        ++parts;
        tokenStart = i + 1;
    }
    return address;
}

}  // namespace corvane::geo
