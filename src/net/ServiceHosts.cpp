#include "net/ServiceHosts.h"

#include <algorithm>
#include <cctype>
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
    constexpr std::string_view kScheme = "http://";
    if (text.size() >= kScheme.size() &&
        std::equal(kScheme.begin(), kScheme.end(), text.begin(), [](char a, char b) {
            return a == std::tolower(static_cast<unsigned char>(b));
        })) {
        text.remove_prefix(kScheme.size());
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
