#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/AutomationDate.h"
#include "store/FieldValue.h"

namespace corvane::store {
namespace {

FieldValue Of(VariantType type, std::int64_t integer = 0, double real = 0.0) {
    FieldValue value;
    value.type = type;
    value.integer = integer;
    value.real = real;
    return value;
}

struct TextCase {
    FieldValue value;
    std::string text;
};

TEST(FieldValueTest, ConvertsEveryVariantTypeToItsText) {
    const double june3 = *ParseAutomationDate("2010-06-03 14:05:09");
    const TextCase cases[] = {
        {Of(VariantType::Empty), ""},
        {Of(VariantType::Null), ""},
        {Of(VariantType::Int16, -7), "-7"},
        {Of(VariantType::Int32, 123456), "123456"},
        {Of(VariantType::UInt32, 0xFFFFFFFFll), "-1"},
        {Of(VariantType::Real32, 0, 1.5), "1.5000"},
        {Of(VariantType::Real64, 0, 2.25), "2.25000000"},
        {Of(VariantType::Currency, 125000), "12.5"},
        {Of(VariantType::Currency, -30000), "-3"},
        {Of(VariantType::Date, 0, june3), "2010-06-03 14:05:09"},
        {Of(VariantType::Date, 0, std::numeric_limits<double>::quiet_NaN()), "Invalid DateTime"},
        {Of(VariantType::Date, 0, 1e9), "Invalid DateTime"},
        {FieldValue::OfText("O'Brien"), "O'Brien"},
        {FieldValue::OfBool(true), "TRUE"},
        {FieldValue::OfBool(false), "FALSE"},
        {Of(VariantType::Decimal, 0, 0.125), "0.12500000"},
        {Of(VariantType::Int8, -1), "255"},
        {Of(VariantType::UInt8, 200), "200"},
        {Of(VariantType::UInt16, 65535), "65535"},
        {Of(VariantType::Int64, 0x100000005ll), "5"},
        {Of(VariantType::UInt64, 0x1FFFFFFFFll), "-1"},
        {Of(VariantType::MachineInt, -3), "-3"},
        {Of(VariantType::Void, 0xAB), "      ab"},
        {Of(VariantType::Blob), "[BLOB]"},
        {Of(VariantType::Unknown), "UN_KNOW"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(ValueToText(c.value), c.text) << "type " << static_cast<int>(c.value.type);
    }
}

TEST(FieldValueTest, ConvertsToIntegers) {
    EXPECT_EQ(ValueToInt(Of(VariantType::Real64, 0, 2.5)), 3);
    EXPECT_EQ(ValueToInt(Of(VariantType::Real64, 0, -2.5)), -2);
    EXPECT_EQ(ValueToInt(Of(VariantType::Real32, 0, 2.4)), 2);
    EXPECT_EQ(ValueToInt(FieldValue::OfText("42abc")), 42);
    EXPECT_EQ(ValueToInt(FieldValue::OfText("  -17 ")), -17);
    EXPECT_EQ(ValueToInt(FieldValue::OfText("abc")), 0);
    EXPECT_EQ(ValueToInt(FieldValue::OfBool(true)), -1);
    EXPECT_EQ(ValueToInt(Of(VariantType::UInt16, 65535)), -1);
    EXPECT_EQ(ValueToInt(Of(VariantType::Int8, -1)), 255);
    // Currency and decimal round half to even.
    EXPECT_EQ(ValueToInt(Of(VariantType::Currency, 25000)), 2);
    EXPECT_EQ(ValueToInt(Of(VariantType::Currency, 35000)), 4);
    EXPECT_EQ(ValueToInt(Of(VariantType::Decimal, 0, -2.5)), -2);
    EXPECT_EQ(ValueToInt(Of(VariantType::Currency, 1ll << 50)), std::nullopt);
    EXPECT_EQ(ValueToInt(Of(VariantType::Real64, 0, 1e12)), std::nullopt);
    EXPECT_EQ(ValueToInt(Of(VariantType::Int64, 5)), 0);
    EXPECT_EQ(ValueToInt(Of(VariantType::Date, 0, 40000.0)), 0);
}

TEST(FieldValueTest, OnlyASetBooleanIsTrue) {
    EXPECT_TRUE(ValueToBool(FieldValue::OfBool(true)));
    EXPECT_FALSE(ValueToBool(FieldValue::OfBool(false)));
    EXPECT_FALSE(ValueToBool(FieldValue::OfInt32(1)));
    EXPECT_FALSE(ValueToBool(Of(VariantType::Int16, -1)));
    EXPECT_FALSE(ValueToBool(FieldValue::OfText("TRUE")));
}

TEST(AutomationDateTest, ParsesAndFormatsTheStoredForm) {
    EXPECT_EQ(ParseAutomationDate("1899-12-30 00:00:00"), 0.0);
    EXPECT_EQ(ParseAutomationDate("1900-01-01"), 2.0);
    EXPECT_EQ(FormatAutomationDate(*ParseAutomationDate("1800-01-01 18:00:00")),
              "1800-01-01 18:00:00");
    EXPECT_EQ(FormatAutomationDate(*ParseAutomationDate("2024-02-29 23:59:59")),
              "2024-02-29 23:59:59");
    EXPECT_EQ(ParseAutomationDate("2023-02-29 00:00:00"), std::nullopt);
    EXPECT_EQ(ParseAutomationDate("2010-06-03 24:00:00"), std::nullopt);
    EXPECT_EQ(ParseAutomationDate("2010-06-03T14:05:09"), std::nullopt);
    EXPECT_EQ(ParseAutomationDate("yesterday"), std::nullopt);
}

}  // namespace
}  // namespace corvane::store
