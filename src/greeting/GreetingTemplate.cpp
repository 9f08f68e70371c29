#include "greeting/GreetingTemplate.h"

#include "platform/TextCodec.h"

namespace corvane::greeting {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, start)) {
        result.append(text.substr(start, hit - start));
        result.append(to);
        start = hit + from.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string ExpandGreeting(std::string_view greetingTemplate, std::string_view visitor,
                           std::string_view randomCode) {
    const std::string named = ReplaceAll(greetingTemplate, kVisitorPlaceholder, visitor);
    return ReplaceAll(named, kRandomCodePlaceholder, randomCode);
}

std::string FitForMessenger(std::string_view greeting) {
    const std::string gbk = text::Utf8ToGbk(greeting);
    return text::GbkToUtf8(text::GbkTruncateBytes(gbk, kMaxGreetingGbkBytes));
}

}  // namespace corvane::greeting
