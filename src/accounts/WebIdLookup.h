#pragma once

#include <functional>
#include <optional>
#include <string>

namespace corvane::accounts {

// Asks the tracking service for an account's web id: the id text (possibly empty) when the
// service answered "+OK ", nullopt when it could not be reached or refused the account.
using WebIdLookup =
    std::function<std::optional<std::string>(const std::string& name, const std::string& password)>;

}  // namespace corvane::accounts
