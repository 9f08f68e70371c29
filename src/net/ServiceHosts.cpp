#include "net/ServiceHosts.h"

#include <cstdlib>

namespace corvane::net {

ServiceHosts DefaultServiceHosts() {
    const std::string host(kDefaultServiceHost);
    return {host, host, host};
}

std::optional<std::string> NormalizeHost(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.size() >= 7 && (text.substr(0, 7) == "http://" || text.substr(0, 7) == "HTTP://")) {
        text.remove_prefix(7);
    }
    while (text.ends_with('/')) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.find_first_of(" \t\r\n/?#@") != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(text);
}

ServiceHosts ResolveServiceHosts(const ServiceHosts& configured, const char* overrideHost) {
    ServiceHosts resolved = DefaultServiceHosts();
    if (overrideHost != nullptr) {
        if (auto host = NormalizeHost(overrideHost)) {
            return {*host, *host, *host};
        }
    }
    for (const ServiceHostSetting& setting : kServiceHostSettings) {
        if (auto host = NormalizeHost(configured.*setting.field)) {
            resolved.*setting.field = *host;
        }
    }
    return resolved;
}

ServiceHosts ResolveServiceHosts(const ServiceHosts& configured) {
    return ResolveServiceHosts(configured, std::getenv(kServiceHostVariable));
}

}  // namespace corvane::net
