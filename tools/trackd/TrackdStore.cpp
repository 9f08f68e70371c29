#include "TrackdStore.h"

#include <sqlite3.h>

namespace corvane::trackd {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS accounts(
    webid INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE COLLATE NOCASE,
    password TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS visits(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    webid INTEGER NOT NULL,
    ip TEXT NOT NULL,
    page TEXT NOT NULL,
    visit_time TEXT NOT NULL,
    visitor TEXT NOT NULL,
    delivered INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS pending_visits ON visits(webid, delivered, id);
CREATE TABLE IF NOT EXISTS online(name TEXT PRIMARY KEY COLLATE NOCASE);
)sql";

constexpr const char* kAddAccount =
    "INSERT INTO accounts(webid, name, password) "
    "VALUES (COALESCE(?, (SELECT MAX(webid) + 1 FROM accounts), 1001), ?, ?)";
constexpr const char* kFindWebId = "SELECT webid FROM accounts WHERE name = ? AND password = ?";
constexpr const char* kRecordVisit =
    "INSERT INTO visits(webid, ip, page, visit_time, visitor) "
    "SELECT ?1, ?2, ?3, ?4, ?5 WHERE EXISTS (SELECT 1 FROM accounts WHERE webid = ?1)";
constexpr const char* kTakeOldest =
    "UPDATE visits SET delivered = 1 WHERE id = (SELECT id FROM visits "
    "WHERE webid = ? AND delivered = 0 ORDER BY id LIMIT 1) "
    "RETURNING ip, page, visit_time, visitor";
constexpr const char* kClearOnline = "DELETE FROM online";
constexpr const char* kAddOnline = "INSERT OR IGNORE INTO online(name) VALUES (?)";
constexpr const char* kIsOnline = "SELECT 1 FROM online WHERE name = ?";

// Resets the statement and clears its bindings when the use ends.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : statement_(statement) {}
    ~StatementUse() {
        if (statement_ != nullptr) {
            sqlite3_reset(statement_);
            sqlite3_clear_bindings(statement_);
        }
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

    bool Valid() const { return statement_ != nullptr; }
    void Bind(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void Bind(int index, std::int64_t value) { sqlite3_bind_int64(statement_, index, value); }
    int Step() { return sqlite3_step(statement_); }
    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(statement_, column);
        return text == nullptr
                   ? std::string()
                   : std::string(
                         reinterpret_cast<const char*>(text),
                         static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(statement_, column); }

private:
    sqlite3_stmt* statement_;
};

}  // namespace

TrackdStore::~TrackdStore() {
    for (auto& entry : statements_) {
        sqlite3_finalize(entry.second);
    }
    sqlite3_close_v2(db_);
}

bool TrackdStore::Open(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        return false;
    }
    sqlite3_busy_timeout(db_, 5000);
    return Exec("PRAGMA journal_mode=WAL") && Exec("PRAGMA synchronous=NORMAL") && Exec(kSchema);
}

bool TrackdStore::Exec(const char* sql) {
    return db_ != nullptr && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

sqlite3_stmt* TrackdStore::Cached(const char* sql) {
    if (auto found = statements_.find(sql); found != statements_.end()) {
        return found->second;
    }
    sqlite3_stmt* statement = nullptr;
    if (db_ == nullptr || sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement,
                                             nullptr) != SQLITE_OK) {
        return nullptr;
    }
    statements_.emplace(sql, statement);
    return statement;
}

std::optional<std::int64_t> TrackdStore::AddAccount(const std::string& name,
                                                    const std::string& password,
                                                    std::optional<std::int64_t> requestedId) {
    std::lock_guard lock(mutex_);
    StatementUse use(Cached(kAddAccount));
    if (!use.Valid()) {
        return std::nullopt;
    }
    if (requestedId) {
        use.Bind(1, *requestedId);
    }
    use.Bind(2, name);
    use.Bind(3, password);
    if (use.Step() != SQLITE_DONE) {
        return std::nullopt;
    }
    return sqlite3_last_insert_rowid(db_);
}

std::optional<std::int64_t> TrackdStore::FindWebId(const std::string& name,
                                                   const std::string& password) {
    std::lock_guard lock(mutex_);
    StatementUse use(Cached(kFindWebId));
    if (!use.Valid()) {
        return std::nullopt;
    }
    use.Bind(1, name);
    use.Bind(2, password);
    if (use.Step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return use.Int(0);
}

bool TrackdStore::RecordVisit(std::int64_t webId, const Visit& visit) {
    std::lock_guard lock(mutex_);
    StatementUse use(Cached(kRecordVisit));
    if (!use.Valid()) {
        return false;
    }
    use.Bind(1, webId);
    use.Bind(2, visit.ip);
    use.Bind(3, visit.page);
    use.Bind(4, visit.time);
    use.Bind(5, visit.visitor);
    return use.Step() == SQLITE_DONE && sqlite3_changes(db_) == 1;
}

std::optional<Visit> TrackdStore::TakeOldestVisit(std::int64_t webId) {
    std::lock_guard lock(mutex_);
    StatementUse use(Cached(kTakeOldest));
    if (!use.Valid()) {
        return std::nullopt;
    }
    use.Bind(1, webId);
    if (use.Step() != SQLITE_ROW) {
        return std::nullopt;
    }
    Visit visit{use.Text(0), use.Text(1), use.Text(2), use.Text(3)};
    // RETURNING rows are produced before the change is final; stepping to the end commits.
    return use.Step() == SQLITE_DONE ? std::optional<Visit>(std::move(visit)) : std::nullopt;
}

bool TrackdStore::ReplaceOnlineNames(const std::vector<std::string>& names) {
    std::lock_guard lock(mutex_);
    if (!Exec("BEGIN IMMEDIATE")) {
        return false;
    }
    bool ok = Exec(kClearOnline);
    for (const std::string& name : names) {
        StatementUse use(Cached(kAddOnline));
        if (!ok || !use.Valid()) {
            ok = false;
            break;
        }
        use.Bind(1, name);
        ok = use.Step() == SQLITE_DONE;
    }
    return Exec(ok ? "COMMIT" : "ROLLBACK") && ok;
}

bool TrackdStore::AddOnlineName(const std::string& name) {
    std::lock_guard lock(mutex_);
    StatementUse use(Cached(kAddOnline));
    if (!use.Valid()) {
        return false;
    }
    use.Bind(1, name);
    return use.Step() == SQLITE_DONE;
}

bool TrackdStore::IsOnline(const std::string& name) {
    std::lock_guard lock(mutex_);
    StatementUse use(Cached(kIsOnline));
    if (!use.Valid()) {
        return false;
    }
    use.Bind(1, name);
    return use.Step() == SQLITE_ROW;
}

}  // namespace corvane::trackd
