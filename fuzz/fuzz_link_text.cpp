// The Wi-Fi extension's link text: link_text::IsCableLink.
//
// Input: the link text.
//
// Properties: no ":" gives a Wi-Fi link; when the text after the last ":" is
// blanks, then hexadecimal digits (no sign, no "0x"), then anything that is
// not a hexadecimal digit, the answer is the parity of that number when it
// fits 16 bits (even: cable) and a Wi-Fi link when it does not, or when there
// is no digit at all. A sign or a "0x" after the blanks is the standard
// extraction's business: only that the call returns, the same way twice.

#include "detector/network/link_text.h"
#include "fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

enum class Expected { Cable, Wifi, Either };

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

Expected ExpectedLink(const std::string& text) {
    const std::string::size_type colon = text.rfind(':');
    if (colon == std::string::npos) {
        return Expected::Wifi;
    }
    std::string::size_type at = colon + 1;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        return Expected::Either;
    }
    if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        return Expected::Either;
    }
    std::uint32_t value = 0;
    bool digits = false;
    for (; at < text.size() && HexDigit(text[at]) >= 0; ++at) {
        digits = true;
        value = value * 16 + static_cast<std::uint32_t>(HexDigit(text[at]));
        if (value > 0xFFFF) {
            return Expected::Wifi;
        }
    }
    if (!digits) {
        return Expected::Wifi;
    }
    return value % 2 == 0 ? Expected::Cable : Expected::Wifi;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::Text(data, size);
    const bool cable = link_text::IsCableLink(text);
    FUZZ_REQUIRE(link_text::IsCableLink(text) == cable, "the same link text gave two answers");
    switch (ExpectedLink(text)) {
    case Expected::Cable:
        FUZZ_REQUIRE(cable, "an even number after the last \":\" was not taken as a cable link");
        break;
    case Expected::Wifi:
        FUZZ_REQUIRE(!cable, "a link text without an even 16-bit number after the last \":\" was "
                             "taken as a cable link");
        break;
    case Expected::Either:
        break;
    }
    return 0;
}
