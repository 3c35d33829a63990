#pragma once

#include "bench/text/bytes.h"

#include <boost/optional.hpp>

#include <string>

namespace velkor {
namespace bench {

// Texts that hold whatever bytes a program handed the bench (an SSID, a host
// name) must stay exact when stored and harmless when shown.
namespace byte_text {

// Upper-case hexadecimal, two digits a byte, no separators.
std::string ToHex(const std::string& bytes);
std::string ToHex(const Bytes& bytes);
// "0xEC", "0x00A5": `value` in upper-case hexadecimal, at least `digits` digits.
std::string HexNumber(unsigned value, int digits);
// Empty when the text is not an even number of hexadecimal digits.
boost::optional<std::string> FromHex(const std::string& text);

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsUtf8(const std::string& text);

// The text for a terminal or a log line: control characters, DEL, backslash
// and bytes that are not UTF-8 are written as escapes (\t, \n, \r, \\, \xHH);
// printable ASCII and well-formed UTF-8 stay as they are.
std::string Printable(const std::string& text);

} // namespace byte_text
} // namespace bench
} // namespace velkor
