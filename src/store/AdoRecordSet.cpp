#include "store/AdoRecordSet.h"

#include <sqlite3.h>

#include <strings.h>

#include <cstring>
#include <limits>
#include <mutex>

#include "store/AdoConnection.h"
#include "store/AutomationDate.h"
#include "store/StoreNotice.h"

namespace corvane::store {
namespace {

bool DeclaredAs(const char* declared, const char* name) {
    return declared != nullptr && strcasecmp(declared, name) == 0;
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const auto* bytes = sqlite3_column_text(statement, column);
    const int size = sqlite3_column_bytes(statement, column);
    return bytes == nullptr
               ? std::string()
               : std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

FieldValue IntegerValue(sqlite3_int64 value) {
    FieldValue field;
    field.type = value >= std::numeric_limits<std::int32_t>::min() &&
                         value <= std::numeric_limits<std::int32_t>::max()
                     ? VariantType::Int32
                     : VariantType::Int64;
    field.integer = value;
    return field;
}

// The value by its storage class, for columns without a known declared type.
FieldValue StoredValue(sqlite3_stmt* statement, int column) {
    FieldValue field;
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            return IntegerValue(sqlite3_column_int64(statement, column));
        case SQLITE_FLOAT:
            return FieldValue::OfReal64(sqlite3_column_double(statement, column));
        case SQLITE_TEXT:
            return FieldValue::OfText(ColumnText(statement, column));
        case SQLITE_BLOB:
            field.type = VariantType::Blob;
            return field;
        default:
            field.type = VariantType::Null;
            return field;
    }
}

FieldValue ReadColumn(sqlite3_stmt* statement, int column) {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
        FieldValue field;
        field.type = VariantType::Null;
        return field;
    }
    const char* declared = sqlite3_column_decltype(statement, column);
    if (DeclaredAs(declared, "YESNO")) {
        return FieldValue::OfBool(sqlite3_column_int64(statement, column) != 0);
    }
    if (DeclaredAs(declared, "DATETIME")) {
        // An unreadable date keeps the type and reads as "Invalid DateTime".
        return FieldValue::OfDate(ParseAutomationDate(ColumnText(statement, column))
                                      .value_or(std::numeric_limits<double>::quiet_NaN()));
    }
    if (DeclaredAs(declared, "INTEGER") &&
        sqlite3_column_type(statement, column) == SQLITE_INTEGER) {
        return IntegerValue(sqlite3_column_int64(statement, column));
    }
    if (DeclaredAs(declared, "TEXT")) {
        return FieldValue::OfText(ColumnText(statement, column));
    }
    return StoredValue(statement, column);
}

}  // namespace

CAdoRecordSet::CAdoRecordSet(CAdoConnection* connection) : connection_(connection) {}

CAdoRecordSet::~CAdoRecordSet() {
    Close();
}

bool CAdoRecordSet::Open(std::string_view sql, SqlParams params) {
    if (!sql.empty()) {
        sql_ = std::string(sql);
        params_ = std::move(params);
    }
    if (connection_ == nullptr || sql_.empty()) {
        return false;
    }
    Close();
    std::lock_guard lock(connection_->Mutex());
    sqlite3* db = connection_->Handle();
    if (db == nullptr) {
        return false;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql_.c_str(), static_cast<int>(sql_.size()), &statement, nullptr) !=
            SQLITE_OK ||
        statement == nullptr || !BindParams(statement, params_)) {
        sqlite3_finalize(statement);
        return false;
    }
    statement_ = statement;
    fieldCount_ = sqlite3_column_count(statement);
    const int first = sqlite3_step(statement_);
    if (first != SQLITE_ROW && first != SQLITE_DONE) {
        Close();
        return false;
    }
    onRow_ = first == SQLITE_ROW;
    return true;
}

void CAdoRecordSet::Close() {
    if (statement_ == nullptr) {
        return;
    }
    if (connection_ != nullptr) {
        std::lock_guard lock(connection_->Mutex());
        sqlite3_finalize(statement_);
    } else {
        sqlite3_finalize(statement_);
    }
    statement_ = nullptr;
    onRow_ = false;
}

bool CAdoRecordSet::Step() {
    std::lock_guard lock(connection_->Mutex());
    // A connection closed under the reader ends the read.
    if (connection_->Handle() == nullptr) {
        onRow_ = false;
        return false;
    }
    const int result = sqlite3_step(statement_);
    onRow_ = result == SQLITE_ROW;
    return result == SQLITE_ROW || result == SQLITE_DONE;
}

bool CAdoRecordSet::MoveNext() {
    if (IsEOF()) {
        return false;
    }
    return Step();
}

std::vector<std::string> CAdoRecordSet::GetFields() const {
    std::vector<std::string> names;
    if (!IsOpen()) {
        return names;
    }
    for (int i = 0; i < fieldCount_; ++i) {
        const char* name = sqlite3_column_name(statement_, i);
        names.emplace_back(name == nullptr ? "" : name);
    }
    return names;
}

bool CAdoRecordSet::GetFieldValue(int position, FieldValue& value) const {
    if (position < 0 || position >= GetFieldCount()) {
        return false;
    }
    if (!IsOpen()) {
        ShowStoreNotice(kNoticeCaption, kDisconnectedNotice);
        return false;
    }
    if (IsEOF()) {
        return false;
    }
    std::lock_guard lock(connection_->Mutex());
    value = ReadColumn(statement_, position);
    return true;
}

bool CAdoRecordSet::GetFieldText(int position, std::string& text) const {
    FieldValue value;
    if (!GetFieldValue(position, value)) {
        return false;
    }
    text = ValueToText(value);
    return true;
}

bool CAdoRecordSet::GetFieldInt(int position, int& value) const {
    value = 0;
    FieldValue field;
    if (!GetFieldValue(position, field)) {
        return false;
    }
    const std::optional<std::int32_t> converted = ValueToInt(field);
    if (!converted) {
        return false;
    }
    value = *converted;
    return true;
}

bool CAdoRecordSet::GetFieldBool(int position, bool& value) const {
    value = false;
    FieldValue field;
    if (!GetFieldValue(position, field)) {
        return false;
    }
    value = ValueToBool(field);
    return true;
}

}  // namespace corvane::store
