#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::greeting {

inline constexpr std::string_view kVisitorPlaceholder = "[username]";
inline constexpr std::string_view kRandomCodePlaceholder = "[randomcode]";

// The messenger takes at most this many bytes of GBK text from the clipboard.
inline constexpr std::size_t kMaxGreetingGbkBytes = 1023;

// Every occurrence of `from`, left to right without overlap; inserted text is not searched
// again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// "[username]" becomes the visitor's name first, then "[randomcode]" the code; matching is
// exact and case-sensitive, any other text stays as typed.
std::string ExpandGreeting(std::string_view greetingTemplate, std::string_view visitor,
                           std::string_view randomCode);

// The greeting as the messenger will receive it: what GBK cannot hold becomes '?', and a
// greeting longer than kMaxGreetingGbkBytes is cut before the first character that does not
// fit whole.
std::string FitForMessenger(std::string_view greeting);

}  // namespace corvane::greeting
