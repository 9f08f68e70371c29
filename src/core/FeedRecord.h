#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// One visit as the tracking service's visitor feed reports it.
struct FeedRecord {
    std::string visitorIp;
    std::string pageAddress;
    std::string visitTime;  // as the service wrote it; stored and shown, never parsed
    std::string visitorName;
};

// Reads the record from a decoded feed body: the four fields joined by "#||#", ended by
// "|##|". Only the text before the first terminator counts; fields are taken as they come,
// nothing trimmed. nullopt without a terminator or when a field is shorter than its minimum
// (IP 5, page address 10, visit time 5, name 3 characters).
std::optional<FeedRecord> ParseFeedRecord(std::string_view body);

inline constexpr std::string_view kFeedFieldSeparator = "#||#";
inline constexpr std::string_view kFeedRecordTerminator = "|##|";

}  // namespace corvane
