#include "addressing/ip_subset.h"

#include <gtest/gtest.h>

namespace {

struct RenderCase {
    const char* name;
    const IpSubset& subset;
    const char* text;
};

TEST(IpSubsetTest, RendersEveryTableByteForByte) {
    const std::string prefixes = "{ 192.168. ;  10.0. }";
    const RenderCase cases[] = {
        {"Vk6080KDetector", Vk6080KDetectorIpSubset,
         "{ 10.0.0.2 ;  10.0.0.66 ;  192.168.0.2 ;  192.168.0.66 }"},
        {"Vk7x80Detector", Vk7x80DetectorIpSubset,
         "{ 192.168.37.130 ;  192.168.37.132 ;  10.0.37.130 ;  10.0.37.132 }"},
        {"Vk7x80Peer", Vk7x80PeerIpSubset,
         "{ 192.168.37.131 ;  192.168.37.133 ;  10.0.37.131 ;  10.0.37.133 }"},
        {"VknQ2Detector", VknQ2DetectorPrefixSubset, prefixes.c_str()},
        {"VknQ2Peer", VknQ2PeerPrefixSubset, prefixes.c_str()},
        {"Vk7380TWDetector", Vk7380TWDetectorPrefixSubset, prefixes.c_str()},
        {"Vk7380TWPeer", Vk7380TWPeerPrefixSubset, prefixes.c_str()},
        {"Vk6080MVDetector", Vk6080MVDetectorPrefixSubset, prefixes.c_str()},
        {"Vk6080MVPeer", Vk6080MVPeerPrefixSubset, prefixes.c_str()},
    };
    for (const RenderCase& c : cases) {
        EXPECT_EQ(IpSubsetToString(c.subset), c.text) << c.name;
    }
}

TEST(IpSubsetTest, RenderingSkipsEmptyEntriesAndSurvivesEmptyTables) {
    EXPECT_EQ(IpSubsetToString(IpSubset{{1, "a"}}), "{ a }");
    EXPECT_EQ(IpSubsetToString(IpSubset{{4, "b"}, {1, "a"}}), "{ a ;  b }");
    EXPECT_EQ(IpSubsetToString(IpSubset{{1, ""}, {2, "a"}, {3, ""}}), "{ a }");
    EXPECT_EQ(IpSubsetToString(IpSubset{}), "{}");
    EXPECT_EQ(IpSubsetToString(IpSubset{{1, ""}}), "{}");
}

TEST(IpSubsetTest, TablesHoldTheirKeysAndNoWildcard) {
    EXPECT_EQ(Vk7x80DetectorIpSubset.at(4), "10.0.37.132");
    EXPECT_EQ(Vk7x80PeerIpSubset.at(4), "10.0.37.133");
    EXPECT_EQ(VknQ2DetectorPrefixSubset.count(1), 0u);
    EXPECT_EQ(VknQ2DetectorPrefixSubset.count(4), 0u);
    for (const IpSubset* subset :
         {&Vk6080KDetectorIpSubset, &Vk7x80DetectorIpSubset, &Vk7x80PeerIpSubset}) {
        EXPECT_FALSE(IsInIpSubset("1.2.3.4", *subset));
    }
}

TEST(IpSubsetTest, MembershipAndWildcard) {
    EXPECT_EQ(AnyIpAddress, "--.--.--.--");
    EXPECT_TRUE(IsInIpSubset("192.168.0.66", Vk6080KDetectorIpSubset));
    EXPECT_TRUE(IsInIpSubset("10.0.0.2", Vk6080KDetectorIpSubset));
    EXPECT_FALSE(IsInIpSubset("10.0.0.3", Vk6080KDetectorIpSubset));
    EXPECT_FALSE(IsInIpSubset("", Vk6080KDetectorIpSubset));
    EXPECT_FALSE(IsInIpSubset(" 10.0.0.2", Vk6080KDetectorIpSubset));

    const IpSubset any = {{1, "10.0.0.2"}, {2, AnyIpAddress}};
    EXPECT_TRUE(IsInIpSubset("172.16.0.1", any));
    EXPECT_TRUE(IsInIpSubset("", any));
    EXPECT_FALSE(IsInIpSubset("x", IpSubset{}));
}

TEST(IpSubsetTest, IndexIsPositionInKeyOrder) {
    EXPECT_EQ(GetIpSubsetIndex("192.168.37.130", Vk7x80DetectorIpSubset), 0);
    EXPECT_EQ(GetIpSubsetIndex("10.0.37.132", Vk7x80DetectorIpSubset), 3);
    EXPECT_EQ(GetIpSubsetIndex("10.0.37.133", Vk7x80PeerIpSubset), 3);
    EXPECT_EQ(GetIpSubsetIndex("10.0.37.131", Vk7x80PeerIpSubset), 2);
    EXPECT_EQ(GetIpSubsetIndex("10.0.37.131", Vk7x80DetectorIpSubset), -1);

    // Positions, not keys; the wildcard is an ordinary text here.
    const IpSubset sparse = {{7, "b"}, {3, "a"}, {9, AnyIpAddress}};
    EXPECT_EQ(GetIpSubsetIndex("a", sparse), 0);
    EXPECT_EQ(GetIpSubsetIndex("b", sparse), 1);
    EXPECT_EQ(GetIpSubsetIndex("c", sparse), -1);
    EXPECT_EQ(GetIpSubsetIndex(AnyIpAddress, sparse), 2);
}

TEST(IpSubsetTest, PrefixMatch) {
    struct Case {
        const char* address;
        int expected;
    };
    const Case cases[] = {
        {"192.168.1.10", 2},
        {"192.168.1.10/24", 2},
        {"10.0.1.1/8", 3},
        {"10.0.37.130", 3},
        {"10.1.1.1/8", 1},
        {"172.16.0.5", 1},
        {"192.168", 1},
        {"10.0", 1},
        {"", 1},
        {" 10.0.0.1", 1},
        {"192.168.", 2},
        {"1192.168.0.1", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchIpPrefixSubset(c.address, VknQ2DetectorPrefixSubset), c.expected)
            << c.address;
    }
}

TEST(IpSubsetTest, PrefixMatchLooksOnlyAtKeysTwoAndThree) {
    const IpSubset subset = {{1, "10."}, {2, "ab"}, {3, "Ab"}, {4, "10."}};
    EXPECT_EQ(MatchIpPrefixSubset("10.0.0.1", subset), 1);
    EXPECT_EQ(MatchIpPrefixSubset("abc", subset), 2);
    EXPECT_EQ(MatchIpPrefixSubset("Abc", subset), 3);
    EXPECT_EQ(MatchIpPrefixSubset("ABc", subset), 1);

    // Key 2 is tried before key 3.
    EXPECT_EQ(MatchIpPrefixSubset("10.0.0.1", IpSubset{{2, "10."}, {3, "10.0."}}), 2);
    // A missing key matches nothing.
    EXPECT_EQ(MatchIpPrefixSubset("10.0.0.1", IpSubset{{3, "10."}}), 3);
    EXPECT_EQ(MatchIpPrefixSubset("10.0.0.1", IpSubset{}), 1);
}

} // namespace
