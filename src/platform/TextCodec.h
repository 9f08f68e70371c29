#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Text inside the core is UTF-8. The network, the messenger's clipboard and QQWry.Dat speak
// GBK (code page 936); these helpers convert at those edges and count or cut by characters,
// where a character is one Unicode code point.
namespace corvane::text {

// Bytes that do not decode, and characters that GBK cannot hold, become '?'.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// Any charset iconv knows ("utf-8", "gb2312", "big5", ...). Undecodable bytes become '?'.
// nullopt when iconv does not know one of the charsets.
std::optional<std::string> ConvertCharset(std::string_view input, const std::string& fromCharset,
                                          const std::string& toCharset);

// Number of code points; a stray byte that starts no sequence counts as one.
std::size_t Utf8Length(std::string_view utf8);

// The first `maxChars` code points.
std::string Utf8Left(std::string_view utf8, std::size_t maxChars);

// The longest prefix of at most `maxBytes` bytes that ends on a character boundary.
std::string Utf8TruncateBytes(std::string_view utf8, std::size_t maxBytes);

// The longest prefix of GBK text of at most `maxBytes` bytes that does not split a
// double-byte character.
std::string GbkTruncateBytes(std::string_view gbk, std::size_t maxBytes);

}  // namespace corvane::text
