#pragma once

// The documented text rules, written again from their descriptions and
// independently of the code under test, so that the targets can compare.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

inline std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

inline bool AllDecimalDigits(const std::string& text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Value of a text of decimal digits, capped so that it cannot overflow.
inline std::uint64_t DecimalValue(const std::string& digits) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 1000000) {
            return 1000000;
        }
    }
    return value;
}

// IpAddressUtils' number: digits only, no leading zero but "0" itself.
inline bool StrictNumber(const std::string& text, unsigned maximum, unsigned& value) {
    if (text.empty() || !AllDecimalDigits(text) || (text.size() > 1 && text[0] == '0')) {
        return false;
    }
    const std::uint64_t number = DecimalValue(text);
    if (number > maximum) {
        return false;
    }
    value = static_cast<unsigned>(number);
    return true;
}

// IpAddressUtils' plain address: four strict numbers 0-255 joined by ".".
inline bool StrictAddress(const std::string& text, std::uint32_t& address) {
    const std::vector<std::string> parts = SplitAt(text, '.');
    if (parts.size() != 4) {
        return false;
    }
    std::uint32_t result = 0;
    for (const std::string& part : parts) {
        unsigned number = 0;
        if (!StrictNumber(part, 255, number)) {
            return false;
        }
        result = result * 256 + number;
    }
    address = result;
    return true;
}

// IpAddressUtils' CIDR address: a plain address, "/", a strict number 0-32.
inline bool StrictCidr(const std::string& text, std::uint32_t& address, unsigned& prefix) {
    const std::string::size_type slash = text.find('/');
    if (slash == std::string::npos) {
        return false;
    }
    return StrictAddress(text.substr(0, slash), address) &&
           StrictNumber(text.substr(slash + 1), 32, prefix);
}

// The detector files' dotted address: the plain address above, as numbers.
inline bool DottedNumbers(const std::string& text, std::array<std::uint8_t, 4>& numbers) {
    std::uint32_t address = 0;
    if (!StrictAddress(text, address)) {
        return false;
    }
    numbers = {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
               static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
    return true;
}

// The user configuration's byte: the whole text is one hexadecimal number of
// at least one digit that fits 32 bits; the byte is its low 8 bits.
inline bool HexByte(const std::string& text, std::uint8_t& byte) {
    if (text.empty()) {
        return false;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return false;
        }
        value = value * 16 + digit;
        if (value > 0xFFFFFFFFull) {
            return false;
        }
    }
    byte = static_cast<std::uint8_t>(value & 0xFF);
    return true;
}

} // namespace fuzz
