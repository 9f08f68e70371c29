#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::trackd {

// A 1 x 1 transparent GIF: the visit image.
std::string_view TransparentPixel();

// The service's own small pages, UTF-8 HTML.
std::string HelpPage();
std::string FeaturedShopsPage();
std::string ToolbarPage();
std::string VisitorCardPage(std::string_view nick, bool online);

// A demo product page, GBK HTML with its charset declared, titled like a marketplace item:
// the product's name followed by "-淘宝网". The name is one of a few, picked by the id.
std::string ProductPage(std::int64_t id);
std::string ProductName(std::int64_t id);

// Escapes & < > " ' for HTML text and attribute values.
std::string HtmlEscape(std::string_view text);

}  // namespace corvane::trackd
