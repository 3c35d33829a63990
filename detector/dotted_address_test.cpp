#include "detector/dotted_address.h"

#include <gtest/gtest.h>

namespace {

TEST(DottedAddressTest, ParsesFourNumbersInOrder) {
    dotted_address::Numbers numbers{};
    ASSERT_TRUE(dotted_address::Parse("10.0.0.2", numbers));
    EXPECT_EQ(numbers, (dotted_address::Numbers{10, 0, 0, 2}));
    ASSERT_TRUE(dotted_address::Parse("255.255.255.255", numbers));
    EXPECT_EQ(numbers, (dotted_address::Numbers{255, 255, 255, 255}));
}

TEST(DottedAddressTest, RefusesAnythingElseAndKeepsTheNumbers) {
    const char* const refused[] = {
        "10.0..2",  "1.2.3",       "1.2.3.4.5", "",          "...",       "a.b.c.d",
        "1.2.3.x",  "256.0.0.1",   "1.2.3.300", "-1.0.0.0",  "+1.0.0.0",  " 1.2.3.4",
        "1.2.3.4 ", "1.2.3.65536", "0x1.2.3.4", "010.0.0.2", "10.0.0.02", "10.00.0.2",
    };
    for (const char* text : refused) {
        dotted_address::Numbers numbers{7, 7, 7, 7};
        EXPECT_FALSE(dotted_address::Parse(text, numbers)) << text;
        EXPECT_EQ(numbers, (dotted_address::Numbers{7, 7, 7, 7})) << text;
    }
}

TEST(DottedAddressTest, FormatsWithoutLeadingZeros) {
    EXPECT_EQ(dotted_address::Format(192, 168, 37, 130), "192.168.37.130");
    EXPECT_EQ(dotted_address::Format(0, 0, 0, 0), "0.0.0.0");
}

} // namespace
