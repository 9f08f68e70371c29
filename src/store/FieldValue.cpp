#include "store/FieldValue.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "store/AutomationDate.h"

namespace corvane::store {
namespace {

std::string Printf(const char* format, auto... args) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

std::int32_t Low32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}

// Banker's rounding to 32 bits, as the automation conversion of currency and decimal does.
std::optional<std::int32_t> RoundHalfEven(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

// Adds 0.5 and truncates toward zero: 2.5 gives 3, -2.5 gives -2.
std::optional<std::int32_t> AddHalfAndTruncate(double value) {
    const double shifted = std::trunc(value + 0.5);
    if (!(shifted >= std::numeric_limits<std::int32_t>::min() &&
          shifted <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(shifted);
}

// A leading decimal integer after blanks; 0 when there is none, clamped at the 32-bit range.
std::int32_t LeadingInteger(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::int64_t magnitude = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > std::int64_t{1} << 32) {
            break;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

FieldValue FieldValue::OfText(std::string value) {
    FieldValue field;
    field.type = VariantType::Text;
    field.text = std::move(value);
    return field;
}

FieldValue FieldValue::OfInt32(std::int32_t value) {
    FieldValue field;
    field.type = VariantType::Int32;
    field.integer = value;
    return field;
}

FieldValue FieldValue::OfBool(bool value) {
    FieldValue field;
    field.type = VariantType::Bool;
    field.integer = value ? -1 : 0;
    return field;
}

FieldValue FieldValue::OfReal64(double value) {
    FieldValue field;
    field.type = VariantType::Real64;
    field.real = value;
    return field;
}

FieldValue FieldValue::OfDate(double automationDate) {
    FieldValue field;
    field.type = VariantType::Date;
    field.real = automationDate;
    return field;
}

std::string CurrencyToText(std::int64_t scaledBy10000) {
    const bool negative = scaledBy10000 < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaledBy10000)
                                             : static_cast<std::uint64_t>(scaledBy10000);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = Printf("%04llu", static_cast<unsigned long long>(magnitude % 10000));
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (!fraction.empty()) {
        text += "." + fraction;
    }
    return text;
}

std::string ValueToText(const FieldValue& value) {
    switch (value.type) {
        case VariantType::Empty:
        case VariantType::Null:
            return {};
        case VariantType::Int16:
            return Printf("%d", static_cast<int>(static_cast<std::int16_t>(value.integer)));
        case VariantType::Int32:
        case VariantType::UInt32:
        case VariantType::UInt16:
        case VariantType::Int64:
        case VariantType::UInt64:
        case VariantType::MachineInt:
        case VariantType::MachineUInt:
            return Printf("%d", Low32(value.integer));
        case VariantType::Real32:
            return Printf("%.4f", static_cast<double>(static_cast<float>(value.real)));
        case VariantType::Real64:
        case VariantType::Decimal:
            return Printf("%.8f", value.real);
        case VariantType::Currency:
            return CurrencyToText(value.integer);
        case VariantType::Date:
            return FormatAutomationDate(value.real).value_or("Invalid DateTime");
        case VariantType::Text:
            return value.text;
        case VariantType::Bool:
            return value.integer != 0 ? "TRUE" : "FALSE";
        case VariantType::Int8:
        case VariantType::UInt8:
            return Printf("%d", static_cast<int>(static_cast<std::uint8_t>(value.integer)));
        case VariantType::Void:
            return Printf("%8x", static_cast<unsigned>(Low32(value.integer)));
        case VariantType::Blob:
            return "[BLOB]";
        case VariantType::Unknown:
            break;
    }
    return "UN_KNOW";
}

std::optional<std::int32_t> ValueToInt(const FieldValue& value) {
    switch (value.type) {
        case VariantType::Int16:
        case VariantType::Bool:
        case VariantType::UInt16:
            return static_cast<std::int16_t>(value.integer);
        case VariantType::Int8:
        case VariantType::UInt8:
            return static_cast<std::uint8_t>(value.integer);
        case VariantType::Int32:
        case VariantType::UInt32:
        case VariantType::MachineInt:
        case VariantType::MachineUInt:
            return Low32(value.integer);
        case VariantType::Real32:
        case VariantType::Real64:
            return AddHalfAndTruncate(value.real);
        case VariantType::Currency:
            return RoundHalfEven(static_cast<double>(value.integer) / 10000.0);
        case VariantType::Decimal:
            return RoundHalfEven(value.real);
        case VariantType::Text:
            return LeadingInteger(value.text);
        default:
            return 0;
    }
}

bool ValueToBool(const FieldValue& value) {
    return value.type == VariantType::Bool && value.integer != 0;
}

}  // namespace corvane::store
