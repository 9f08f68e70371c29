#pragma once

#include <httplib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace corvane::testing {

// A real corvane-trackd serving a database file on 127.0.0.1 and a free port, for as long
// as the object lives. It logs every request (line and headers) to accessLogPath(), and
// trusts X-Forwarded-For so that Visit() can give a visitor any address.
//
//   TrackdProcess trackd(dir / "trackd.db");
//   const std::string webId = trackd.AddAccount("shop", "secret");
//   trackd.Visit(webId, "buyer", "http://item.taobao.com/item.htm?id=1", "202.96.128.86");
//   ... point the client at trackd.address() ...
class TrackdProcess {
public:
    explicit TrackdProcess(std::filesystem::path database, std::vector<std::string> extra = {})
        : database_(std::move(database)),
          accessLog_(database_.parent_path() / (database_.stem().string() + "-access.log")),
          process_(ServeArguments(database_, accessLog_, extra)) {
        address_ = process_.ReadLine().value_or("");
    }

    // "127.0.0.1:PORT"; empty when the service did not start.
    const std::string& address() const { return address_; }
    std::string Url(const std::string& pathAndQuery) const {
        return "http://" + address_ + pathAndQuery;
    }
    const std::filesystem::path& database() const { return database_; }
    const std::filesystem::path& accessLogPath() const { return accessLog_; }

    // The new account's web id, "" when the service refused it.
    std::string AddAccount(const std::string& name, const std::string& password,
                           std::optional<std::int64_t> webId = {}) const {
        std::vector<std::string> arguments = {CORVANE_TRACKD_PATH, "add-account", "--db",
                                              database_.string()};
        if (webId) {
            arguments.insert(arguments.end(), {"--id", std::to_string(*webId)});
        }
        arguments.insert(arguments.end(), {name, password});
        auto [status, output] = RunProgram(arguments);
        if (status != 0) {
            return {};
        }
        while (!output.empty() && output.back() == '\n') {
            output.pop_back();
        }
        return output;
    }

    // Replaces the messenger names the status endpoint reports online.
    bool SetOnline(const std::vector<std::string>& names) const {
        std::vector<std::string> arguments = {CORVANE_TRACKD_PATH, "set-online", "--db",
                                              database_.string()};
        arguments.insert(arguments.end(), names.begin(), names.end());
        return RunProgram(arguments).first == 0;
    }

    // A shopper loading the visit image from `page`. The HTTP status of the answer.
    int Visit(const std::string& webId, const std::string& nick, const std::string& page,
              const std::string& ip = "127.0.0.1") const {
        httplib::Client client("http://" + address_);
        httplib::Headers headers = {{"Referer", page}, {"X-Forwarded-For", ip}};
        const auto result =
            client.Get("/corvane/shop.asp?id=" + httplib::detail::encode_query_param(webId) +
                           "&nick=" + httplib::detail::encode_query_param(nick),
                       headers);
        return result ? result->status : -1;
    }

    // Everything logged so far: per request its line, its headers and a blank line.
    std::string AccessLog() const {
        std::ifstream file(accessLog_);
        std::stringstream all;
        all << file.rdbuf();
        return all.str();
    }

private:
    static std::vector<std::string> ServeArguments(const std::filesystem::path& database,
                                                   const std::filesystem::path& accessLog,
                                                   const std::vector<std::string>& extra) {
        std::vector<std::string> arguments = {
            CORVANE_TRACKD_PATH, "serve",        "--listen",         "127.0.0.1:0",          "--db",
            database.string(),   "--access-log", accessLog.string(), "--trust-forwarded-for"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return arguments;
    }

    std::filesystem::path database_;
    std::filesystem::path accessLog_;
    ChildProcess process_;
    std::string address_;
};

}  // namespace corvane::testing
