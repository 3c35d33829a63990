#include "detector/network/link_text.h"
#include "platform/tools/testing/log_capture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

TEST(LinkTextTest, ParityOfTheLastHexadecimalFieldTellsTheLink) {
    struct Case {
        const char* text;
        bool cable;
    };
    const Case cases[] = {
        {"wlan0:A", true},          {"wlan0:1F", false},   {"no colon at all", false},
        {"AA:BB:CC:2", true},       {"AA:BB:CC:3", false}, {"link: 4", true},
        {"link:10 trailing", true}, {"link:0", true},      {"link:FFFF", false},
        {"link:7x", false},         {"link:e", true},      {"1:2:", false},
        {"link:", false},           {"link:zz", false},    {"link:12345", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(link_text::IsCableLink(c.text), c.cable) << c.text;
    }
}

TEST(LinkTextTest, UnreadableFieldIsTakenAsWifiWithAWarning) {
    tools_testing::LogCapture log;
    EXPECT_FALSE(link_text::IsCableLink("link:zz"));
    EXPECT_THAT(log.Messages('W'),
                ::testing::ElementsAre(
                    "LinkText::IsCableLink - unreadable link text link:zz, taken as a wifi link"));
}

} // namespace
