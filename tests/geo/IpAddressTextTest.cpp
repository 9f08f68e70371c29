#include <gtest/gtest.h>

#include "geo/IpAddressText.h"
#include "support/QqwryFixture.h"

namespace corvane::geo {
namespace {

using testing::Ipv4;

TEST(IpAddressText, ReadsEachPartAsCDecimalConversionWouldAndKeepsItsLowByte) {
    const struct {
        const char* text;
        std::uint32_t expected;
    } cases[] = {
        {"61.135.169.121", Ipv4(61, 135, 169, 121)},
        {"1.2.3", Ipv4(1, 2, 3, 0)},
        {"1", Ipv4(1, 0, 0, 0)},
        {"300.1.1.1", Ipv4(44, 1, 1, 1)},
        {"1.2.3.4.5", Ipv4(1, 2, 3, 4)},
        {"1.2.3.4.999.x", Ipv4(1, 2, 3, 4)},
        {"1.2.3.4abc", Ipv4(1, 2, 3, 4)},
        {" 10.\t20. +30.\n40", Ipv4(10, 20, 30, 40)},
        {"-1.0.0.1", Ipv4(255, 0, 0, 1)},
        {"a.b.7.c", Ipv4(0, 0, 7, 0)},
        {"..5", Ipv4(0, 0, 5, 0)},
        {"1 2.3.4.5", Ipv4(1, 3, 4, 5)},
        {"256.257.-256.1023", Ipv4(0, 1, 0, 255)},
        // Digits beyond 32 bits saturate instead of wrapping: the low byte of 2^31 − 1.
        {"99999999999999999999.1.1.1", Ipv4(255, 1, 1, 1)},
        {"-99999999999999999999.1.1.1", Ipv4(0, 1, 1, 1)},
        {"１.2.3.4", Ipv4(0, 2, 3, 4)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseIpAddress(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace corvane::geo
