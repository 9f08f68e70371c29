#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::net {

// An absolute http or https URL taken apart the way the client connects with it.
struct UrlParts {
    bool secure = false;  // the scheme is https, in any letter case
    std::string host;
    int port = 0;              // the explicit port, else 80 or 443
    std::string pathAndQuery;  // "/" at least; the query stays on, a fragment does not
};

// nullopt for anything the client cannot request: no scheme (a bare host), a scheme other
// than http or https, no host, a malformed port.
std::optional<UrlParts> CrackUrl(std::string_view url);

}  // namespace corvane::net
