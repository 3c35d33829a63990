#pragma once

#include <array>
#include <cstdint>
#include <string>

// The four numbers of a dotted address, as the detector files store them.
namespace dotted_address {

using Numbers = std::array<std::uint8_t, 4>;

// A plain address as IpAddressUtils::IsValidIpAddress takes it: exactly four
// "."-separated decimal numbers, each 0-255, no leading zero. Nothing is
// stored in numbers unless all four convert: a number above 255 is refused
// rather than cut to its low byte.
bool Parse(const std::string& text, Numbers& numbers);

std::string Format(std::uint8_t first, std::uint8_t second, std::uint8_t third,
                   std::uint8_t fourth);

} // namespace dotted_address
