#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::store {

// Automation dates count days from 1899-12-30; the fraction is the time of day.
// "YYYY-MM-DD HH:MM:SS" (or just "YYYY-MM-DD") to a date; nullopt when it is not one.
std::optional<double> ParseAutomationDate(std::string_view text);

// "YYYY-MM-DD HH:MM:SS"; nullopt outside years 100 to 9999 or for a value that is no number.
std::optional<std::string> FormatAutomationDate(double date);

}  // namespace corvane::store
