#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace corvane::trackd {

// One recorded load of the visit image, texts in UTF-8.
struct Visit {
    std::string ip;
    std::string page;
    std::string time;
    std::string visitor;
};

// The service's own SQLite file: accounts, pending visits and the messenger names that
// count as online. Safe to use from the server's worker threads; other processes may
// change the same file (add-account, set-online) while it serves.
class TrackdStore {
public:
    TrackdStore() = default;
    ~TrackdStore();
    TrackdStore(const TrackdStore&) = delete;
    TrackdStore& operator=(const TrackdStore&) = delete;

    // Opens or creates the file and its tables.
    bool Open(const std::filesystem::path& file);

    // The new account's web id; nullopt when the name is taken or the id is in use. Without
    // a requested id the next free one from 1001 up is given.
    std::optional<std::int64_t> AddAccount(const std::string& name, const std::string& password,
                                           std::optional<std::int64_t> requestedId = {});
    // Names compare without letter case, passwords exactly.
    std::optional<std::int64_t> FindWebId(const std::string& name, const std::string& password);

    // False, and nothing stored, when no account has this web id.
    bool RecordVisit(std::int64_t webId, const Visit& visit);
    // The oldest visit not yet delivered, marked delivered in the same step.
    std::optional<Visit> TakeOldestVisit(std::int64_t webId);

    bool ReplaceOnlineNames(const std::vector<std::string>& names);
    bool AddOnlineName(const std::string& name);
    bool IsOnline(const std::string& name);

private:
    // A prepared statement kept for the life of the connection, reset after each use.
    sqlite3_stmt* Cached(const char* sql);
    bool Exec(const char* sql);

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    std::map<const char*, sqlite3_stmt*> statements_;
};

}  // namespace corvane::trackd
