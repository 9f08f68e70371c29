#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace corvane::store {

// A value bound to a `?` of a statement; text is never formatted into SQL.
using SqlValue = std::variant<std::nullptr_t, std::int64_t, std::string>;
using SqlParams = std::vector<SqlValue>;

}  // namespace corvane::store
