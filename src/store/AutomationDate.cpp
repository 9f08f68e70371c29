#include "store/AutomationDate.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace corvane::store {
namespace {

constexpr long long kDaysFromCivilTo18991230 = -25569;  // 1899-12-30 relative to 1970-01-01
constexpr double kFirstValidDate = -657434.0;           // 0100-01-01
constexpr double kLastValidDate = 2958466.0;            // 10000-01-01, exclusive
constexpr long long kSecondsPerDay = 86400;

// Howard Hinnant's civil-calendar algorithms; no library converts proleptic dates this simply.
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void CivilFromDays(long long days, long long& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2);
}

bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t digits, int& out) {
    if (pos + digits > text.size()) {
        return false;
    }
    auto [end, error] = std::from_chars(text.data() + pos, text.data() + pos + digits, out);
    if (error != std::errc() || end != text.data() + pos + digits) {
        return false;
    }
    pos += digits;
    return true;
}

bool Expect(std::string_view text, std::size_t& pos, char separator) {
    if (pos >= text.size() || text[pos] != separator) {
        return false;
    }
    ++pos;
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<double> ParseAutomationDate(std::string_view text) {
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!ReadNumber(text, pos, 4, year) || !Expect(text, pos, '-') ||
        !ReadNumber(text, pos, 2, month) || !Expect(text, pos, '-') ||
        !ReadNumber(text, pos, 2, day)) {
        return std::nullopt;
    }
    if (pos < text.size()) {
        if (!Expect(text, pos, ' ') || !ReadNumber(text, pos, 2, hour) || !Expect(text, pos, ':') ||
            !ReadNumber(text, pos, 2, minute) || !Expect(text, pos, ':') ||
            !ReadNumber(text, pos, 2, second) || pos != text.size()) {
            return std::nullopt;
        }
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const long long days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kDaysFromCivilTo18991230;
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) /
                            static_cast<double>(kSecondsPerDay);
    // Before 1899-12-30 the fraction counts away from zero, as automation dates do.
    return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

std::optional<std::string> FormatAutomationDate(double date) {
    if (!std::isfinite(date) || date < kFirstValidDate || date >= kLastValidDate) {
        return std::nullopt;
    }
    const double wholeDays = std::trunc(date);
    const double fraction = std::fabs(date - wholeDays);
    long long days = static_cast<long long>(wholeDays);
    long long seconds = std::llround(fraction * static_cast<double>(kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        days += date < 0 ? -1 : 1;
    }
    long long year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days + kDaysFromCivilTo18991230, year, month, day);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u %02lld:%02lld:%02lld", year, month, day,
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return std::string(buffer);
}

}  // namespace corvane::store
