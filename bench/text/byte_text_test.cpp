#include "bench/text/byte_text.h"

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

TEST(ByteTextTest, HexCarriesEveryByte) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::string hex = byte_text::ToHex(all);
    EXPECT_EQ(512u, hex.size());
    EXPECT_EQ("000102", hex.substr(0, 6));
    EXPECT_EQ("FDFEFF", hex.substr(506));
    EXPECT_EQ(all, *byte_text::FromHex(hex));
    EXPECT_EQ(std::string("\xab\xcd", 2), *byte_text::FromHex("abCD"));
    for (const char* bad : {"A", "0G", "0x12", " 12", "12 "}) {
        EXPECT_FALSE(byte_text::FromHex(bad)) << bad;
    }
}

TEST(ByteTextTest, HexNumbersAreUpperCaseAndPadded) {
    EXPECT_EQ("0xEC", byte_text::HexNumber(0xEC, 2));
    EXPECT_EQ("0x05", byte_text::HexNumber(5, 2));
    EXPECT_EQ("0x00A5", byte_text::HexNumber(0xA5, 4));
    EXPECT_EQ("0x1234", byte_text::HexNumber(0x1234, 2));
}

TEST(ByteTextTest, Utf8IsCheckedStrictly) {
    const struct {
        std::string text;
        bool utf8;
    } cases[] = {
        {"", true},
        {"VK-6080QL", true},
        {"Caf\xC3\xA9", true},
        {"\xE2\x82\xAC", true},         // euro sign
        {"\xF0\x9F\x93\xB6", true},     // antenna bars
        {std::string("a\0b", 3), true}, // NUL is a character
        {"\xFF\xFE", false},
        {"\xC3", false},             // cut short
        {"\x80", false},             // stray continuation byte
        {"\xC0\xAF", false},         // overlong "/"
        {"\xE0\x80\xAF", false},     // overlong "/"
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.utf8, byte_text::IsUtf8(c.text)) << byte_text::ToHex(c.text);
    }
}

TEST(ByteTextTest, PrintableEscapesWhatATerminalWouldObey) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"WARD-7", "WARD-7"},
        {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"\x1B[31mred", "\\x1B[31mred"},
        {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
        {"back\\slash", "back\\\\slash"},
        {std::string("nul\0", 4), "nul\\x00"},
        {"del\x7F", "del\\x7F"},
        {"\xFF\xFE", "\\xFF\\xFE"},
        {"\xC2\x9B"
         "2J",
         "\\xC2\\x9B2J"}, // C1 control sequence introducer
        {"\xC3", "\\xC3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown, byte_text::Printable(c.text)) << byte_text::ToHex(c.text);
        EXPECT_TRUE(byte_text::IsUtf8(byte_text::Printable(c.text)));
    }
}

} // namespace
} // namespace bench
} // namespace velkor
