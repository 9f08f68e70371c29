#include "net/URLEncode.h"

namespace corvane::net {
namespace {

// Written by hand: curl_easy_escape keeps the tilde and escapes ' ( ) *, and the service
// expects exactly this safe set.
constexpr std::string_view kUnsafe = "\"<>%\\^[]`+$,@:;/!#?=&";

bool PassesUnchanged(unsigned char byte) {
    return byte >= 0x21 && byte <= 0x7A && kUnsafe.find(static_cast<char>(byte)) == kUnsafe.npos;
}

}  // namespace

std::string CURLEncode::Encode(std::string_view bytes) const {
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (PassesUnchanged(byte)) {
            encoded += c;
        } else {
            encoded += PercentForm(byte);
        }
    }
    return encoded;
}

std::string CURLEncode::PercentForm(unsigned char byte) {
    return "%" + HexForm(byte);
}

std::string CURLEncode::HexForm(unsigned char byte) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

}  // namespace corvane::net
