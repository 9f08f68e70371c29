#pragma once

#include <string>
#include <string_view>

namespace corvane::net {

// Percent-encodes bytes for a query parameter value. Letters, digits and ' ( ) * - . _ pass;
// every other byte, including the space (never "+") and the tilde, becomes "%" and two
// upper-case hexadecimal digits. The caller picks the byte encoding (GBK for the service).
class CURLEncode {
public:
    virtual ~CURLEncode() = default;

    // All of `bytes`, embedded 0 bytes included. The result is ASCII.
    std::string Encode(std::string_view bytes) const;

    // "%" and the two digits of one byte.
    static std::string PercentForm(unsigned char byte);
    // The two upper-case hexadecimal digits of one byte: "0A" for 10, "E4" for 228.
    static std::string HexForm(unsigned char byte);
};

}  // namespace corvane::net
