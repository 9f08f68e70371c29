#include "geo/LocationRecord.h"

#include <optional>

namespace corvane::geo {
namespace {

std::optional<std::int64_t> TerminatorWithinWindow(const FileBytes& file, std::int64_t start) {
    for (std::int64_t offset = start; offset < start + kTerminatorWindow; ++offset) {
        if (file.Byte(offset) == 0) {
            return offset;
        }
    }
    return std::nullopt;
}

// An inline country at `country`: layout `inlineLayout` when its area follows it,
// `redirectLayout` when the area part after it is 0x02 C.
LocationRecord InlineCountry(const FileBytes& file, std::int64_t country, std::uint8_t inlineLayout,
                             std::uint8_t redirectLayout) {
    LocationRecord record;
    record.countryOffset = country;
    const auto terminator = TerminatorWithinWindow(file, country);
    if (terminator && file.Byte(*terminator + 1) == kStringRedirect) {
        record.layout = redirectLayout;
        record.areaOffset = file.Uint24(*terminator + 2);
    } else {
        record.layout = inlineLayout;
        record.areaFollowsCountry = true;
    }
    return record;
}

// The area part at `areaPart`: either 0x02 C, or the area string itself.
void SetAreaPart(const FileBytes& file, std::int64_t areaPart, LocationRecord& record,
                 std::uint8_t inlineLayout, std::uint8_t redirectLayout) {
    if (file.Byte(areaPart) == kStringRedirect) {
        record.layout = redirectLayout;
        record.areaOffset = file.Uint24(areaPart + 1);
    } else {
        record.layout = inlineLayout;
        record.areaOffset = areaPart;
    }
}

}  // namespace

LocationRecord ReadLocationRecord(const FileBytes& file, std::int64_t recordOffset) {
    const std::int64_t locationPart = recordOffset + 4;
    const std::uint8_t marker = file.Byte(locationPart);
    if (marker == kStringRedirect) {
        LocationRecord record;
        record.countryOffset = file.Uint24(locationPart + 1);
        SetAreaPart(file, locationPart + 4, record, 3, 4);
        return record;
    }
    if (marker != kFullRedirect) {
        return InlineCountry(file, locationPart, 1, 2);
    }
    // The byte at A is never taken as a second full redirect.
    const std::int64_t target = file.Uint24(locationPart + 1);
    if (file.Byte(target) == kStringRedirect) {
        LocationRecord record;
        record.countryOffset = file.Uint24(target + 1);
        SetAreaPart(file, target + 4, record, 7, 8);
        return record;
    }
    if (!TerminatorWithinWindow(file, target)) {
        return LocationRecord{};
    }
    return InlineCountry(file, target, 5, 6);
}

}  // namespace corvane::geo
