#include "TrackdServer.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/LocalTime.h"
#include "RequestChecks.h"
#include "ServicePages.h"
#include "platform/TextCodec.h"

namespace corvane::trackd {
namespace {

constexpr const char* kGbkText = "text/plain; charset=GBK";
constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kVisitorCookie = "corvane_visitor";

void Refuse(httplib::Response& response, int status, const std::string& reason) {
    response.status = status;
    response.set_content(reason + "\n", "text/plain; charset=utf-8");
}

std::string VisitorIp(const httplib::Request& request, bool trustForwardedFor) {
    if (trustForwardedFor && request.has_header("X-Forwarded-For")) {
        std::string first = request.get_header_value("X-Forwarded-For");
        first = first.substr(0, first.find(','));
        first.erase(0, first.find_first_not_of(' '));
        first.erase(first.find_last_not_of(' ') + 1);
        if (IsIpAddress(first)) {
            return first;
        }
    }
    return request.remote_addr;
}

const char* ErrorText(int status) {
    switch (status) {
        case 400:
            return "bad request";
        case 404:
            return "no such page";
        case 405:
            return "method not allowed";
        case 413:
            return "request too large";
        case 414:
            return "address too long";
        default:
            return status >= 500 ? "service error" : "refused";
    }
}

bool IsInjectedHeader(const std::string& name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
           name == "LOCAL_PORT";
}

std::vector<std::string> SplitNames(const std::string& joined, bool gbk) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < joined.size()) {
        auto end = joined.find(';', start);
        if (end == std::string::npos) {
            end = joined.size();
        }
        const std::string name = joined.substr(start, end - start);
        names.push_back(gbk ? text::GbkToUtf8(name) : name);
        start = end + 1;
    }
    return names;
}

}  // namespace

TrackdServer::TrackdServer(TrackdStore& store, ServerOptions options)
    : store_(store), options_(std::move(options)), server_(std::make_unique<httplib::Server>()) {
    // One thread serves one keep-alive connection at a time; leave room for many clients.
    const unsigned threads = std::max(32u, 4 * std::thread::hardware_concurrency());
    server_->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    server_->set_keep_alive_max_count(1000);
    server_->set_tcp_nodelay(true);  // headers and body go out in two writes
    server_->set_read_timeout(10, 0);
    server_->set_write_timeout(10, 0);
    server_->set_payload_max_length(64 * 1024);
    Route();
}

TrackdServer::~TrackdServer() = default;

int TrackdServer::Bind(const std::string& host, int port) {
    if (port == 0) {
        return server_->bind_to_any_port(host);
    }
    return server_->bind_to_port(host, port) ? port : -1;
}

bool TrackdServer::Serve() {
    return server_->listen_after_bind();
}

void TrackdServer::Stop() {
    server_->stop();
}

void TrackdServer::LogRequest(const std::string& requestLine, const std::string& headers) {
    std::lock_guard lock(logMutex_);
    std::fputs(requestLine.c_str(), options_.accessLog);
    std::fputs(headers.c_str(), options_.accessLog);
    std::fputs("\n", options_.accessLog);
    std::fflush(options_.accessLog);
}

void TrackdServer::Route() {
    if (options_.accessLog != nullptr) {
        // Written before the answer goes out, so a client that has its answer finds the
        // request in the log.
        server_->set_pre_routing_handler([this](const auto& request, auto&) {
            std::string headers;
            for (const auto& [name, value] : request.headers) {
                if (!IsInjectedHeader(name)) {
                    headers += name + ": " + value + "\n";
                }
            }
            LogRequest(request.method + " " + request.target + " " + request.version + "\n",
                       headers);
            return httplib::Server::HandlerResponse::Unhandled;
        });
    }
    server_->set_error_handler([](const auto&, auto& response) {
        if (response.body.empty()) {
            response.set_content(
                std::to_string(response.status) + " " + ErrorText(response.status) + "\n",
                "text/plain; charset=utf-8");
        }
    });

    server_->Get("/corvane/shop.asp", [this](const auto& request, auto& response) {
        const auto webId = ParseWebId(request.get_param_value("id"));
        if (!webId) {
            return Refuse(response, 400, "id must be a web id (decimal digits)");
        }
        Visit visit;
        if (request.has_param("nick")) {
            visit.visitor = request.get_param_value("nick");
            if (!IsUsableVisitorName(visit.visitor)) {
                return Refuse(response, 400, "nick must be 1 to 64 characters of UTF-8 text");
            }
        } else {
            std::string token = CookieValue(request.get_header_value("Cookie"), kVisitorCookie);
            if (!IsVisitorToken(token)) {
                token = NewVisitorToken();
            }
            // Refreshed at every visit, so a returning shopper keeps one name.
            response.set_header("Set-Cookie", std::string(kVisitorCookie) + "=" + token +
                                                  "; Max-Age=31536000; Path=/");
            visit.visitor = "游客" + token.substr(0, 8);
        }
        visit.ip = VisitorIp(request, options_.trustForwardedFor);
        visit.page = FeedSafePage(request.get_header_value("Referer"));
        visit.time = LocalTimeText(std::chrono::system_clock::now());
        store_.RecordVisit(*webId, visit);  // an unknown web id records nothing

        response.set_header("Cache-Control", "no-store, no-cache, must-revalidate, max-age=0");
        response.set_header("Pragma", "no-cache");
        response.set_header("Expires", "0");
        const std::string_view pixel = TransparentPixel();
        response.set_content(std::string(pixel), "image/gif");
    });

    server_->Get("/corvane/GetWebID.asp", [this](const auto& request, auto& response) {
        if (!request.has_param("UserName") || !request.has_param("UserPwd")) {
            return Refuse(response, 400, "UserName and UserPwd are required");
        }
        // The client sends both as GBK bytes.
        const std::string name = text::GbkToUtf8(request.get_param_value("UserName"));
        const std::string password = text::GbkToUtf8(request.get_param_value("UserPwd"));
        const auto webId = store_.FindWebId(name, password);
        response.set_content(webId ? "+OK " + std::to_string(*webId) : std::string("-ERR"),
                             kGbkText);
    });

    server_->Get("/corvane/GetInfo.asp", [this](const auto& request, auto& response) {
        const auto webId = ParseWebId(request.get_param_value("userID"));
        if (!webId) {
            return Refuse(response, 400, "userID must be a web id (decimal digits)");
        }
        std::string record;
        if (const auto visit = store_.TakeOldestVisit(*webId)) {
            record = text::Utf8ToGbk(visit->ip + "#||#" + visit->page + "#||#" + visit->time +
                                     "#||#" + visit->visitor + "|##|");
        }
        response.set_header("Cache-Control", "no-store");
        response.set_content(record, kGbkText);
    });

    server_->Get("/corvane/ver.asp", [this](const auto&, auto& response) {
        response.set_content(options_.release, "text/plain");
    });
    server_->Get("/corvane/corvane_help.asp",
                 [](const auto&, auto& response) { response.set_content(HelpPage(), kHtml); });
    server_->Get("/ad.asp", [](const auto&, auto& response) {
        response.set_content(FeaturedShopsPage(), kHtml);
    });
    server_->Get("/ad2.asp",
                 [](const auto&, auto& response) { response.set_content(ToolbarPage(), kHtml); });

    // Demo product pages, so the visits the simulator makes have titles to show.
    server_->Get("/item.htm", [](const auto& request, auto& response) {
        const auto id = ParseWebId(request.get_param_value("id"));
        if (!id) {
            return Refuse(response, 400, "id must be a number");
        }
        response.set_content(ProductPage(*id), "text/html; charset=gbk");
    });

    server_->Get("/muliuserstatus.aw", [this](const auto& request, auto& response) {
        if (!request.has_param("uids")) {
            return Refuse(response, 400, "uids is required");
        }
        const std::string charset = request.get_param_value("charset");
        const bool gbk = charset == "gbk" || charset == "GBK" || charset == "gb2312";
        std::string answer;
        int index = 0;
        for (const std::string& name : SplitNames(request.get_param_value("uids"), gbk)) {
            answer += "online[" + std::to_string(index++) + "]=";
            answer += store_.IsOnline(name) ? "1;\n" : "0;\n";
        }
        response.set_content(answer, "text/plain; charset=utf-8");
    });

    server_->Get("/wangwang/ming_pian.htm", [this](const auto& request, auto& response) {
        const std::string nick = request.get_param_value("nick");
        if (nick.empty()) {
            return Refuse(response, 400, "nick is required");
        }
        response.set_content(VisitorCardPage(nick, store_.IsOnline(nick)), kHtml);
    });
}

}  // namespace corvane::trackd
