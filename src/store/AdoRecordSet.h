#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/FieldValue.h"
#include "store/SqlValue.h"

struct sqlite3_stmt;

namespace corvane::store {

class CAdoConnection;

// Reads the rows of one query, front to back, on one thread. Column values carry the
// variant type of their declared column type: INTEGER a 4-byte integer (8-byte beyond 32
// bits), TEXT text, YESNO a boolean, DATETIME a date, REAL an 8-byte real, BLOB a blob.
// Every failure reads as false or an empty result; a failing step ends the read.
class CAdoRecordSet {
public:
    explicit CAdoRecordSet(CAdoConnection* connection = nullptr);
    virtual ~CAdoRecordSet();
    CAdoRecordSet(const CAdoRecordSet&) = delete;
    CAdoRecordSet& operator=(const CAdoRecordSet&) = delete;

    void SetConnection(CAdoConnection* connection) { connection_ = connection; }

    // Empty text reuses the stored statement (and its parameters). An open result is
    // closed first.
    bool Open(std::string_view sql = {}, SqlParams params = {});
    void Close();
    bool IsOpen() const { return statement_ != nullptr; }
    bool IsEOF() const { return !IsOpen() || !onRow_; }
    bool MoveNext();

    // Columns of the statement last opened (still known after Close); -1 before any.
    int GetFieldCount() const { return fieldCount_; }
    // Column names of the open result; empty when closed.
    std::vector<std::string> GetFields() const;

    bool GetFieldValue(int position, FieldValue& value) const;
    bool GetFieldText(int position, std::string& text) const;
    bool GetFieldInt(int position, int& value) const;
    bool GetFieldBool(int position, bool& value) const;

private:
    bool Step();

    CAdoConnection* connection_;
    sqlite3_stmt* statement_ = nullptr;
    std::string sql_;
    SqlParams params_;
    int fieldCount_ = -1;
    bool onRow_ = false;
};

}  // namespace corvane::store
