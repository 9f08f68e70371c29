#include "store/Schema.h"

#include <sqlite3.h>

#include <strings.h>

#include <algorithm>
#include <string>

#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Statements.h"

namespace corvane::store {
namespace {

// Column order is part of the format: readers take columns by position.
constexpr const char* kTables = R"sql(
CREATE TABLE [user] (
    [id] INTEGER PRIMARY KEY AUTOINCREMENT,
    [username] TEXT COLLATE NOCASE,
    [userename] TEXT COLLATE NOCASE,
    [password] TEXT COLLATE NOCASE,
    [webid] TEXT COLLATE NOCASE,
    [messageinfo] TEXT COLLATE NOCASE,
    [autosend] YESNO NOT NULL DEFAULT 0,
    [tpass] TEXT COLLATE NOCASE,
    [tbsmailname] TEXT COLLATE NOCASE,
    [tbid] TEXT COLLATE NOCASE,
    [picid] TEXT COLLATE NOCASE);
CREATE TABLE [sysseting] (
    [id] INTEGER,
    [autorun] YESNO NOT NULL DEFAULT 0,
    [clienttip] YESNO NOT NULL DEFAULT 0,
    [reflashtime] INTEGER,
    [sendsteptime] INTEGER,
    [autosendname] TEXT COLLATE NOCASE,
    [wangwangedition] INTEGER,
    [guesttip] YESNO NOT NULL DEFAULT 0,
    [playsound] YESNO NOT NULL DEFAULT 0,
    [AddRandom] YESNO NOT NULL DEFAULT 0);
CREATE TABLE [client] (
    [id] INTEGER PRIMARY KEY AUTOINCREMENT,
    [guestname] TEXT COLLATE NOCASE,
    [ip] TEXT COLLATE NOCASE,
    [shopname] TEXT COLLATE NOCASE,
    [lasttime] DATETIME,
    [count] INTEGER,
    [city] TEXT COLLATE NOCASE,
    [shopurl] TEXT COLLATE NOCASE,
    [webdate] TEXT COLLATE NOCASE);
CREATE TABLE [AutoSend] (
    [ClientName] TEXT COLLATE NOCASE,
    [UserName] TEXT COLLATE NOCASE,
    [Message] TEXT COLLATE NOCASE);
)sql";

// Shipped settings: pop-up alerts and sound on, poll every 30 s, 6 s between greetings,
// the 2008/2009 messenger edition, no start at logon.
constexpr const char* kSettingsRow =
    "INSERT INTO [sysseting] VALUES (1, 0, 1, 30, 6, 'NULL', 0, 1, 1, 0);";

// The duplicate test, the newest-visits list and the queue test stay fast on large tables.
constexpr const char* kIndexes = R"sql(
CREATE INDEX IF NOT EXISTS [client_visitor] ON [client] ([guestname], [shopname]);
CREATE INDEX IF NOT EXISTS [client_lasttime] ON [client] ([lasttime]);
CREATE INDEX IF NOT EXISTS [autosend_job] ON [AutoSend] ([ClientName], [UserName]);
)sql";

bool HasAddRandom(const std::vector<std::string>& names) {
    return std::any_of(names.begin(), names.end(), [](const std::string& name) {
        return strcasecmp(name.c_str(), "AddRandom") == 0;
    });
}

}  // namespace

bool CreateDatabase(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return false;
    }
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_timeout(db, 10000);
    const std::string script = std::string("BEGIN IMMEDIATE;") + kTables + kSettingsRow + kIndexes +
                               "COMMIT; PRAGMA journal_mode=WAL;";
    const bool ok = sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok) {
        std::filesystem::remove(path, error);
    }
    return ok;
}

void UpgradeSchema(CAdoConnection& connection) {
    CAdoRecordSet settings(&connection);
    if (!settings.Open(sql::kSelectSettings)) {
        return;
    }
    const std::vector<std::string> names = settings.GetFields();
    settings.Close();
    if (names.empty()) {
        return;
    }
    if (!HasAddRandom(names)) {
        connection.Execute(sql::kAddRandomColumn);
    }
    std::lock_guard lock(connection.Mutex());
    if (connection.Handle() != nullptr) {
        sqlite3_exec(connection.Handle(), kIndexes, nullptr, nullptr, nullptr);
    }
}

}  // namespace corvane::store
