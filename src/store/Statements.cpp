#include "store/Statements.h"

#include <cstdio>

namespace corvane::store::sql {
namespace {

std::string DayAt(int year, int month, int day, const char* time) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.4d-%.2d-%.2d %s", year, month, day, time);
    return buffer;
}

}  // namespace

std::string FirstSecondOfDay(int year, int month, int day) {
    return DayAt(year, month, day, "00:00:00");
}

std::string LastSecondOfDay(int year, int month, int day) {
    return DayAt(year, month, day, "23:59:59");
}

}  // namespace corvane::store::sql
