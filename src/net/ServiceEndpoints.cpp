#include "net/ServiceEndpoints.h"

#include <utility>

#include "net/URLEncode.h"

namespace corvane::net {
namespace {

std::string At(const std::string& host, std::string_view pathAndQuery) {
    std::string url = "http://" + host;
    url += pathAndQuery;
    return url;
}

}  // namespace

ServiceEndpoints::ServiceEndpoints(ServiceHosts hosts) : hosts_(std::move(hosts)) {}

std::string ServiceEndpoints::VisitImage(std::string_view webId) const {
    return At(hosts_.tracking, "/corvane/shop.asp?id=") + std::string(webId);
}

std::string ServiceEndpoints::WebId(std::string_view encodedName,
                                    std::string_view encodedPassword) const {
    std::string url = At(hosts_.tracking, "/corvane/GetWebID.asp?UserName=");
    url += encodedName;
    url += "&UserPwd=";
    url += encodedPassword;
    return url;
}

std::string ServiceEndpoints::VisitorFeed(std::string_view webId) const {
    return At(hosts_.tracking, "/corvane/GetInfo.asp?userID=") + std::string(webId);
}

std::string ServiceEndpoints::Version() const {
    return At(hosts_.tracking, "/corvane/ver.asp");
}

std::string ServiceEndpoints::HelpPage() const {
    return At(hosts_.tracking, "/corvane/corvane_help.asp");
}

std::string ServiceEndpoints::FeaturedShops() const {
    return At(hosts_.tracking, "/ad.asp");
}

std::string ServiceEndpoints::ToolbarPage() const {
    return At(hosts_.tracking, "/ad2.asp");
}

std::string ServiceEndpoints::OnlineStatus(const std::vector<std::string>& names) const {
    const CURLEncode encoder;
    std::string url =
        At(hosts_.status, "/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=");
    for (const std::string& name : names) {
        url += encoder.Encode(name);
        url += ';';
    }
    return url;
}

std::string ServiceEndpoints::VisitorCard(std::string_view nick) const {
    return At(hosts_.card, "/wangwang/ming_pian.htm?asker=wangwang&nick=") +
           CURLEncode().Encode(nick);
}

}  // namespace corvane::net
