#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "net/WinHttpEx.h"

namespace corvane::services {

inline constexpr const char* kNoTitle = "<NULL>";

// The product's name from a page's title: the text between the first "<title>" and the
// following "</title>" (both in small letters), with the marketplace's decorations, blanks
// and line ends removed. "<NULL>" when there is none or it is longer than 93 characters.
std::string CleanPageTitle(std::string_view pageText);

// Fetches the page (plain http only) and answers its cleaned title, or "<NULL>". The page is
// decoded in the charset it declares in its Content-Type header or a meta tag, else GBK.
std::string GetPageTitle(const std::string& pageAddress, const net::HttpLimits& limits = {},
                         const std::atomic<bool>* cancel = nullptr);

// The charset a page declares in a <meta> tag ("charset=..."), in small letters; "" if none.
std::string MetaCharset(std::string_view rawPage);

}  // namespace corvane::services
