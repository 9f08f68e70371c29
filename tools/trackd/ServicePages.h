#pragma once

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

// Escapes & < > " ' for HTML text and attribute values.
std::string HtmlEscape(std::string_view text);

}  // namespace corvane::trackd
