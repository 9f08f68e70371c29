#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "store/SqlValue.h"

struct sqlite3;
struct sqlite3_stmt;

namespace corvane::store {

// The one connection to Info.db. Shared by the UI thread, the workers and, through the
// file, by other running clients: opened serialized, in WAL mode, with a busy timeout.
// Every failure answers false; nothing throws.
class CAdoConnection {
public:
    CAdoConnection() = default;
    virtual ~CAdoConnection();
    CAdoConnection(const CAdoConnection&) = delete;
    CAdoConnection& operator=(const CAdoConnection&) = delete;

    // The connection string is the database file's path; empty reuses the stored one. An
    // open connection is closed first. The file must exist and be a database.
    bool Open(const std::string& connectionString = {}, int options = -1);
    void Close();
    bool IsOpen() const;

    // Runs a statement that returns no rows; false on any failure.
    bool Execute(std::string_view sql, const SqlParams& params = {});
    // Rows changed by the last successful Execute; hold Mutex() across both calls.
    int ChangedRows() const;

    // Statements, row steps and transactions hold this, so that a transaction of one
    // thread never takes in another thread's statement.
    std::recursive_mutex& Mutex() const { return mutex_; }
    // The handle, or null when closed. Use only while holding Mutex().
    sqlite3* Handle() const { return db_; }

private:
    std::string connectionString_;
    sqlite3* db_ = nullptr;
    mutable std::recursive_mutex mutex_;
};

// Binds `params` to the `?` placeholders of a prepared statement, in order.
bool BindParams(sqlite3_stmt* statement, const SqlParams& params);

}  // namespace corvane::store
