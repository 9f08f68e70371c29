#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::store {

// The variant types a column value can carry. The store produces only some of them
// (see AdoRecordSet), but the conversions cover all, as the readers rely on their forms.
enum class VariantType {
    Empty,
    Null,
    Int16,
    Int32,
    Real32,
    Real64,
    Currency,  // `integer` holds the amount times 10,000
    Date,      // `real` holds an automation date: days since 1899-12-30, time as a fraction
    Text,
    Bool,  // `integer` is 0 or -1 (the automation TRUE)
    Decimal,
    Int8,
    UInt8,
    UInt16,
    UInt32,
    Int64,
    UInt64,
    MachineInt,
    MachineUInt,
    Void,
    Blob,
    Unknown,
};

struct FieldValue {
    VariantType type = VariantType::Empty;
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;

    static FieldValue OfText(std::string value);
    static FieldValue OfInt32(std::int32_t value);
    static FieldValue OfBool(bool value);
    static FieldValue OfReal64(double value);
    static FieldValue OfDate(double automationDate);
};

// "TRUE"/"FALSE", "%d", "%.8f", "YYYY-MM-DD HH:MM:SS", "[BLOB]", "UN_KNOW", ...
std::string ValueToText(const FieldValue& value);

// nullopt where the conversion itself fails (a currency or decimal beyond 32 bits).
std::optional<std::int32_t> ValueToInt(const FieldValue& value);

// Set only for a boolean that is non-zero; numbers of any size read as false.
bool ValueToBool(const FieldValue& value);

// Currency as the user's locale would show it: no grouping, trailing zeros dropped.
std::string CurrencyToText(std::int64_t scaledBy10000);

}  // namespace corvane::store
