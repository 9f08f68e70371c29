#pragma once

#include <chrono>
#include <string>

namespace corvane::trackd {

// "YYYY-MM-DD HH:MM:SS" on the service's local clock: how visit times are written.
std::string LocalTimeText(std::chrono::system_clock::time_point when);

}  // namespace corvane::trackd
