#include "platform/tools/ip_address_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using mirl::tools::IpAddressUtils;

// Malformed as a plain address and, with any suffix, as a CIDR address.
const std::string MalformedPlain[] = {
    "",
    "1.2.3",
    "1.2.3.4.5",
    "256.1.1.1",
    "1.256.1.1",
    "1.1.1.256",
    "1000.1.1.1",
    "4294967297.1.1.1",
    "01.2.3.4",
    "1.2.3.04",
    "00.1.1.1",
    "000.0.0.0",
    " 1.2.3.4",
    "1.2.3.4 ",
    "1.2. 3.4",
    "+1.2.3.4",
    "-1.2.3.4",
    "1.2.3.-4",
    "1..3.4",
    ".1.2.3.4",
    "1.2.3.4.",
    "...",
    "a.b.c.d",
    "1.2.3.0x4",
    "1,2,3,4",
    "1.2.3.4\n",
    "\t1.2.3.4",
    std::string("1.2.3.4\0", 8),
    "1.2.3.4:10001",
};

TEST(IpAddressUtils, AcceptsWellFormedPlainAddresses) {
    for (const char* address : {"0.0.0.0", "1.2.3.4", "10.0.37.132", "192.168.100.200",
                                "255.255.255.255", "9.99.199.0"}) {
        SCOPED_TRACE(address);
        EXPECT_TRUE(IpAddressUtils::IsValidIpAddress(address));
        EXPECT_FALSE(IpAddressUtils::IsValidCIDRAddress(address));
    }
}

TEST(IpAddressUtils, RefusesMalformedPlainAddresses) {
    for (const std::string& address : MalformedPlain) {
        SCOPED_TRACE("[" + address + "]");
        EXPECT_FALSE(IpAddressUtils::IsValidIpAddress(address));
        EXPECT_FALSE(IpAddressUtils::IsValidCIDRAddress(address + "/24"));
    }
    // A prefix suffix is not part of a plain address.
    EXPECT_FALSE(IpAddressUtils::IsValidIpAddress("1.2.3.4/24"));
}

TEST(IpAddressUtils, AcceptsWellFormedCidrAddresses) {
    for (const char* address :
         {"1.2.3.4/0", "1.2.3.4/1", "1.2.3.4/9", "10.0.37.133/24", "1.2.3.4/32", "0.0.0.0/0"}) {
        SCOPED_TRACE(address);
        EXPECT_TRUE(IpAddressUtils::IsValidCIDRAddress(address));
    }
}

TEST(IpAddressUtils, RefusesMalformedPrefixes) {
    for (const char* address : {
             "1.2.3.4",    "1.2.3.4/",   "1.2.3.4/33",  "1.2.3.4/100", "1.2.3.4/8/8",
             "1.2.3.4//8", "1.2.3.4/08", "1.2.3.4/00",  "1.2.3.4/+8",  "1.2.3.4/-1",
             "1.2.3.4/ 8", "1.2.3.4/8 ", "1.2.3.4 /8",  "1.2.3.4/a",   "1.2.3.4/0x8",
             "/8",         "1.2.3/8",    "1.2.3.4.5/8", "1.2.3.4/8.0", "1.2.3.4\\8",
         }) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(IpAddressUtils::IsValidCIDRAddress(address));
    }
}

TEST(IpAddressUtils, AreInSameSubnetComparesTheMaskedNetworks) {
    const struct {
        const char* address;
        const char* cidr;
        bool same;
    } cases[] = {
        {"10.0.37.132", "10.0.37.133/24", true},   {"10.0.37.255", "10.0.37.0/24", true},
        {"10.0.38.1", "10.0.37.133/24", false},    {"10.0.38.1", "10.0.37.133/16", true},
        {"10.1.38.1", "10.0.37.133/16", false},    {"1.2.3.4", "200.100.50.25/0", true},
        {"255.255.255.255", "0.0.0.0/0", true},    {"1.2.3.4", "1.2.3.4/32", true},
        {"1.2.3.5", "1.2.3.4/32", false},          {"129.2.3.4", "1.2.3.4/32", false},
        {"1.2.3.4", "1.2.3.5/31", true},           {"1.2.3.6", "1.2.3.5/31", false},
        {"127.255.255.255", "0.0.0.0/1", true},    {"128.0.0.0", "0.0.0.0/1", false},
        {"192.168.1.127", "192.168.1.1/25", true}, {"192.168.1.128", "192.168.1.1/25", false},
        {"172.31.0.1", "172.16.0.1/12", true},     {"172.32.0.1", "172.16.0.1/12", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " in " + c.cidr);
        EXPECT_EQ(c.same, IpAddressUtils::AreInSameSubnet(c.address, c.cidr));
    }
}

TEST(IpAddressUtils, AreInSameSubnetIsFalseForMalformedInput) {
    const struct {
        std::string address;
        std::string cidr;
    } cases[] = {
        {"", ""},
        {"1.2.3.4", ""},
        {"", "1.2.3.4/24"},
        {"1.2.3", "1.2.3.4/24"},
        {"1.2.3.4", "1.2.3.4"},
        {"1.2.3.4/24", "1.2.3.4/24"},
        {"1.2.3.4", "1.2.3.4/33"},
        {"1.2.3.4", "1.2.3.4/"},
        {"1.2.3.4", "1.2.3.4/8/8"},
        {" 1.2.3.4", "1.2.3.4/0"},
        {"1.2.3.4", "01.2.3.4/0"},
        {"256.1.1.1", "1.1.1.1/0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("[" + c.address + "] in [" + c.cidr + "]");
        EXPECT_FALSE(IpAddressUtils::AreInSameSubnet(c.address, c.cidr));
    }
}

TEST(IpAddressUtils, AssociatedPortIsBasePlusLastNumberSaturated) {
    const struct {
        const char* address;
        std::uint16_t base;
        std::uint16_t port;
    } cases[] = {
        {"10.0.37.132", 2043, 2175},
        {"10.0.37.132", 5998, 6130},
        {"10.0.37.0", 5998, 5998},
        {"1.2.3.255", 5998, 6253},
        {"255.255.255.1", 2043, 2044},
        {"0.0.0.0", 0, 0},
        {"1.2.3.255", 0, 255},
        {"1.2.3.4", 65531, 65535},
        {"1.2.3.5", 65531, 65535},
        {"1.2.3.4", 65530, 65534},
        {"1.2.3.255", 65535, 65535},
        {"1.2.3.255", 65281, 65535},
        {"1.2.3.254", 65281, 65535},
        {"1.2.3.253", 65281, 65534},
        // Malformed addresses keep the base port.
        {"", 2043, 2043},
        {"1.2.3", 5998, 5998},
        {"1.2.3.256", 2043, 2043},
        {"1.2.3.4/24", 2043, 2043},
        {"1.2.3.255 ", 65535, 65535},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " + " + std::to_string(c.base));
        EXPECT_EQ(c.port, IpAddressUtils::GetIpAssociatedPort(c.address, c.base));
    }
}

} // namespace
