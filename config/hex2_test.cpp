#include "config/hex2.h"

#include <boost/lexical_cast.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Byte = config::_hex2<unsigned char>;

TEST(Hex2, WritesUpperCaseHexAtLeastTwoDigits) {
    const struct {
        unsigned char byte;
        const char* text;
    } cases[] = {{0, "00"}, {1, "01"}, {10, "0A"}, {171, "AB"}, {255, "FF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.text, boost::lexical_cast<std::string>(Byte(c.byte)));
    }
    EXPECT_EQ("1234", boost::lexical_cast<std::string>(config::_hex2<unsigned>(0x1234)));
}

TEST(Hex2, LeavesTheStreamFormattingAsItWas) {
    std::ostringstream stream;
    stream << Byte(171) << ' ' << 171 << ' ' << std::setw(4) << 7;
    EXPECT_EQ("AB 171    7", stream.str());
}

TEST(Hex2, ReadsOneWholeHexNumberKeepingTheLowBits) {
    const struct {
        const char* text;
        unsigned char byte;
    } cases[] = {
        {"00", 0},         {"0", 0},
        {"01", 1},         {"1", 1},
        {"001", 1},        {"ab", 171},
        {"AB", 171},       {"aB", 171},
        {"FF", 255},       {"101", 1},
        {"100", 0},        {"FFFFFF01", 1},
        {"FFFFFFFF", 255}, {"000000000001", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.byte, boost::lexical_cast<Byte>(std::string(c.text)).value());
    }
}

TEST(Hex2, RefusesAnyOtherText) {
    const std::string cases[] = {
        "",          " 01",
        "01 ",       "0 1",
        "\t01",      "01\n",
        "+1",        "-1",
        "0x01",      "0X1",
        "G1",        "1g",
        "on",        "true",
        ".",         "1.0",
        "1,0",
        "100000000", // 33 bits
        "FFFFFFFFF", std::string("01\0", 3),
    };
    for (const auto& text : cases) {
        SCOPED_TRACE("[" + text + "]");
        EXPECT_THROW(boost::lexical_cast<Byte>(text), boost::bad_lexical_cast);
    }
}

} // namespace
