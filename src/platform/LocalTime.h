#pragma once

#include <chrono>
#include <string>

namespace corvane {

// "YYYY-MM-DD HH:MM:SS" on the local clock: how the store and the service write date-times.
std::string LocalTimeText(std::chrono::system_clock::time_point when);

}  // namespace corvane
