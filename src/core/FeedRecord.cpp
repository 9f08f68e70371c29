#include "core/FeedRecord.h"

#include "platform/TextCodec.h"

namespace corvane {
namespace {

// The field from `start` to the next separator; empty, and `start` past the end, when the
// separator is missing.
std::string TakeField(std::string_view record, std::size_t& start) {
    if (start > record.size()) {
        return {};
    }
    const std::size_t end = record.find(kFeedFieldSeparator, start);
    if (end == std::string_view::npos) {
        start = std::string_view::npos;
        return {};
    }
    std::string field(record.substr(start, end - start));
    start = end + kFeedFieldSeparator.size();
    return field;
}

}  // namespace

std::optional<FeedRecord> ParseFeedRecord(std::string_view body) {
    const std::size_t terminator = body.find(kFeedRecordTerminator);
    if (terminator == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view record = body.substr(0, terminator);
    FeedRecord parsed;
    std::size_t start = 0;
    parsed.visitorIp = TakeField(record, start);
    parsed.pageAddress = TakeField(record, start);
    parsed.visitTime = TakeField(record, start);
    if (start <= record.size()) {
        parsed.visitorName = std::string(record.substr(start));
    }
    if (text::Utf8Length(parsed.visitorIp) < 5 || text::Utf8Length(parsed.pageAddress) < 10 ||
        text::Utf8Length(parsed.visitTime) < 5 || text::Utf8Length(parsed.visitorName) < 3) {
        return std::nullopt;
    }
    return parsed;
}

}  // namespace corvane
