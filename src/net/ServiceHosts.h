#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::net {

// Where the client finds the tracking service, the messenger provider's status endpoint and
// its card page. Each is "host" or "host:port"; the scheme is always http.
struct ServiceHosts {
    std::string tracking;
    std::string status;
    std::string card;
};

// A corvane-trackd on this machine serves all three by default.
inline constexpr std::string_view kDefaultServiceHost = "127.0.0.1:8742";
// "host:port"; when set it points all three at the same place (tests, the demo).
inline constexpr const char* kServiceHostVariable = "CORVANE_SERVICE_HOST";

// The settings keys (group "Service") that hold the configured hosts.
struct ServiceHostSetting {
    std::string_view key;
    std::string ServiceHosts::*field;
};
inline const ServiceHostSetting kServiceHostSettings[] = {
    {"Service/host", &ServiceHosts::tracking},
    {"Service/statusHost", &ServiceHosts::status},
    {"Service/cardHost", &ServiceHosts::card},
};

ServiceHosts DefaultServiceHosts();

// "host[:port]" from what a user may type: blanks, an "http://" prefix and a trailing "/"
// are dropped. nullopt when nothing usable remains (empty, a path, blanks inside).
std::optional<std::string> NormalizeHost(std::string_view text);

// The configured hosts (unusable or empty ones fall back to the default), then the
// override: a usable `overrideHost` replaces all three.
ServiceHosts ResolveServiceHosts(const ServiceHosts& configured, const char* overrideHost);
// The same, with the override read from CORVANE_SERVICE_HOST.
ServiceHosts ResolveServiceHosts(const ServiceHosts& configured = {});

}  // namespace corvane::net
