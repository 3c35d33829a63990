#include "bench/device/address_text.h"

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

struct AddressCase {
    const char* text;
    bool plain;
    bool cidr;
};

class AddressTextTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressTextTest, TellsPlainFromCidrFromMalformed) {
    const AddressCase& c = GetParam();
    EXPECT_EQ(address_text::IsPlain(c.text), c.plain) << c.text;
    EXPECT_EQ(address_text::IsCidr(c.text), c.cidr) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AddressTextTest,
    ::testing::Values(
        AddressCase{"192.168.37.130", true, false}, AddressCase{"0.0.0.0", true, false},
        AddressCase{"255.255.255.255", true, false}, AddressCase{"192.168.1.1/24", false, true},
        AddressCase{"10.0.0.1/0", false, true}, AddressCase{"10.0.0.1/32", false, true},
        AddressCase{"10.0.0.1/33", false, false}, AddressCase{"10.0.0.1/024", false, false},
        AddressCase{"10.0.0.1/", false, false}, AddressCase{"256.1.1.1", false, false},
        AddressCase{"10.0..2", false, false}, AddressCase{"1.2.3", false, false},
        AddressCase{"1.2.3.4.5", false, false}, AddressCase{"01.2.3.4", false, false},
        AddressCase{" 1.2.3.4", false, false}, AddressCase{"1.2.3.4 ", false, false},
        AddressCase{"1.2.3.-4", false, false}, AddressCase{"", false, false}));

TEST(AddressTextTest, ParsesInDottedOrderAndFormatsBack) {
    const auto quad = address_text::Parse("10.1.2.3");
    ASSERT_TRUE(quad);
    EXPECT_EQ((address_text::Quad{10, 1, 2, 3}), *quad);
    EXPECT_EQ("10.1.2.3", address_text::Format(*quad));
    EXPECT_EQ("192.168.1.1", address_text::PlainPart("192.168.1.1/24"));
    EXPECT_EQ("192.168.1.1", address_text::PlainPart("192.168.1.1"));
}

} // namespace
} // namespace bench
} // namespace velkor
