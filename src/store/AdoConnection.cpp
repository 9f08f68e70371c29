#include "store/AdoConnection.h"

#include <sqlite3.h>

#include <type_traits>

namespace corvane::store {
namespace {

constexpr int kBusyTimeoutMs = 10000;

}  // namespace

bool BindParams(sqlite3_stmt* statement, const SqlParams& params) {
    if (static_cast<int>(params.size()) != sqlite3_bind_parameter_count(statement)) {
        return false;
    }
    for (std::size_t i = 0; i < params.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const int result = std::visit(
            [&](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::nullptr_t>) {
                    return sqlite3_bind_null(statement, index);
                } else if constexpr (std::is_same_v<T, std::int64_t>) {
                    return sqlite3_bind_int64(statement, index, value);
                } else {
                    return sqlite3_bind_text(statement, index, value.data(),
                                             static_cast<int>(value.size()), SQLITE_TRANSIENT);
                }
            },
            params[i]);
        if (result != SQLITE_OK) {
            return false;
        }
    }
    return true;
}

CAdoConnection::~CAdoConnection() {
    Close();
}

bool CAdoConnection::Open(const std::string& connectionString, int /*options*/) {
    std::lock_guard lock(mutex_);
    if (!connectionString.empty()) {
        connectionString_ = connectionString;
    }
    if (connectionString_.empty()) {
        return false;
    }
    Close();
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(connectionString_.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // The journal mode query also proves that the file is a database at all.
    // WAL lets readers and one writer work at once; NORMAL sync keeps the file consistent
    // and only risks the last commits on a power cut.
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr,
                     nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr) !=
            SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    db_ = db;
    return true;
}

void CAdoConnection::Close() {
    std::lock_guard lock(mutex_);
    if (db_ != nullptr) {
        // Record sets still holding statements finalize them later; close_v2 waits for that.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool CAdoConnection::IsOpen() const {
    std::lock_guard lock(mutex_);
    return db_ != nullptr;
}

bool CAdoConnection::Execute(std::string_view sql, const SqlParams& params) {
    std::lock_guard lock(mutex_);
    if (db_ == nullptr) {
        return false;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) !=
            SQLITE_OK ||
        statement == nullptr) {
        sqlite3_finalize(statement);
        return false;
    }
    bool ok = BindParams(statement, params);
    if (ok) {
        int result = SQLITE_ROW;
        while (result == SQLITE_ROW) {
            result = sqlite3_step(statement);
        }
        ok = result == SQLITE_DONE;
    }
    sqlite3_finalize(statement);
    return ok;
}

int CAdoConnection::ChangedRows() const {
    std::lock_guard lock(mutex_);
    return db_ == nullptr ? 0 : sqlite3_changes(db_);
}

}  // namespace corvane::store
