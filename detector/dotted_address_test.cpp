#include "detector/dotted_address.h"

#include <gtest/gtest.h>

namespace {

TEST(DottedAddressTest, ParsesFourNumbersInOrder) {
    DottedAddress::Numbers numbers{};
    ASSERT_TRUE(DottedAddress::Parse("10.0.0.2", numbers));
    EXPECT_EQ(numbers, (DottedAddress::Numbers{10, 0, 0, 2}));
    ASSERT_TRUE(DottedAddress::Parse("255.255.255.255", numbers));
    EXPECT_EQ(numbers, (DottedAddress::Numbers{255, 255, 255, 255}));
}

TEST(DottedAddressTest, RefusesAnythingElseAndKeepsTheNumbers) {
    const char* const refused[] = {
        "10.0..2",  "1.2.3",       "1.2.3.4.5", "",         "...",      "a.b.c.d",
        "1.2.3.x",  "256.0.0.1",   "1.2.3.300", "-1.0.0.0", "+1.0.0.0", " 1.2.3.4",
        "1.2.3.4 ", "1.2.3.65536", "0x1.2.3.4",
    };
    for (const char* text : refused) {
        DottedAddress::Numbers numbers{7, 7, 7, 7};
        EXPECT_FALSE(DottedAddress::Parse(text, numbers)) << text;
        EXPECT_EQ(numbers, (DottedAddress::Numbers{7, 7, 7, 7})) << text;
    }
}

TEST(DottedAddressTest, FormatsWithoutLeadingZeros) {
    EXPECT_EQ(DottedAddress::Format(192, 168, 37, 130), "192.168.37.130");
    EXPECT_EQ(DottedAddress::Format(0, 0, 0, 0), "0.0.0.0");
}

} // namespace
