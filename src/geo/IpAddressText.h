#pragma once

#include <cstdint>
#include <string_view>

namespace corvane::geo {

// The dotted address a.b.c.d as the number a·2^24 + b·2^16 + c·2^8 + d. Each part is read as
// a C decimal conversion would read it (leading white space, a sign, digits up to the first
// other character, 0 when there are none) and keeps its low 8 bits, so "300" counts as 44.
// Missing parts are 0 and parts after the fourth are ignored.
std::uint32_t ParseIpAddress(std::string_view text);

}  // namespace corvane::geo
