#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "net/ServiceHosts.h"

namespace corvane::net {

// The addresses of every service the client talks to, built from the resolved hosts.
// Web ids go in unchanged (they are decimal digits); texts are percent-encoded by
// CURLEncode where noted.
class ServiceEndpoints {
public:
    explicit ServiceEndpoints(ServiceHosts hosts = ResolveServiceHosts());

    const ServiceHosts& Hosts() const { return hosts_; }

    // The invisible image shop pages load; each load is a visit.
    std::string VisitImage(std::string_view webId) const;
    // Both values already percent-encoded by the caller (the bytes are GBK).
    std::string WebId(std::string_view encodedName, std::string_view encodedPassword) const;
    std::string VisitorFeed(std::string_view webId) const;
    std::string Version() const;
    std::string HelpPage() const;
    std::string FeaturedShops() const;
    std::string ToolbarPage() const;
    // The messenger status of `names` (UTF-8): each name percent-encoded and followed by ";".
    std::string OnlineStatus(const std::vector<std::string>& names) const;
    // The messenger card page of one member name (UTF-8), percent-encoded.
    std::string VisitorCard(std::string_view nick) const;

private:
    ServiceHosts hosts_;
};

}  // namespace corvane::net
