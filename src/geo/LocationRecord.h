#pragma once

#include <cstdint>

#include "geo/FileBytes.h"

namespace corvane::geo {

// Where the country and area strings of one data record lie. The layouts number the nine
// shapes a location part can take:
//   1  inline country, area after it          2  inline country, area at C
//   3  country at A, area at R+8              4  country at A, area at C
//   5  0x01 A: country at A, area after it    6  0x01 A: country at A, area at C
//   7  0x01 A, 0x02 B: country at B, area at A+4
//   8  0x01 A, 0x02 B: country at B, area at C
//   0  0x01 A with no 0 byte in the 50 bytes at A: no location at all
struct LocationRecord {
    std::uint8_t layout = 0;
    std::int64_t countryOffset = 0;
    // When true the area string starts right after the country string's terminating 0 byte.
    bool areaFollowsCountry = false;
    std::int64_t areaOffset = 0;
};

// Redirect markers at the start of a location part or an area part.
inline constexpr std::uint8_t kFullRedirect = 0x01;
inline constexpr std::uint8_t kStringRedirect = 0x02;

// An inline country's terminating 0 byte is looked for within this many bytes; a country
// that does not end there decides the layout as if its area were inline.
inline constexpr int kTerminatorWindow = 50;

// Classifies the data record at `recordOffset` (its end address first, its location part
// after that).
LocationRecord ReadLocationRecord(const FileBytes& file, std::int64_t recordOffset);

}  // namespace corvane::geo
