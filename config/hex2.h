#pragma once

#include <boost/io/ios_state.hpp>

#include <charconv>
#include <cstdint>
#include <iomanip>
#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <type_traits>

namespace config {

// An unsigned integer as the user configuration writes it: upper-case hex, at
// least two digits. Read back through boost::lexical_cast, where any text that
// is not exactly one hex number fitting 32 bits fails the cast.
template <typename T> class _hex2 {
    static_assert(std::is_unsigned<T>::value, "_hex2 holds unsigned integers");

public:
    _hex2() = default;
    explicit _hex2(T value) : value_(value) {}

    T value() const { return value_; }

private:
    T value_ = 0;
};

template <typename T> std::ostream& operator<<(std::ostream& stream, const _hex2<T>& hex) {
    boost::io::ios_all_saver saver(stream);
    // Promoted so that a byte prints as a number, not as a character.
    stream << std::hex << std::uppercase << std::right << std::setfill('0') << std::setw(2)
           << static_cast<std::uintmax_t>(hex.value());
    return stream;
}

// Consumes the whole remaining input: a blank, sign or "0x" anywhere must fail,
// which the standard hex extraction would accept or leave unread.
template <typename T> std::istream& operator>>(std::istream& stream, _hex2<T>& hex) {
    const std::string text{std::istreambuf_iterator<char>(stream),
                           std::istreambuf_iterator<char>()};
    stream.setstate(std::ios::eofbit);

    // Hexadecimal digits only, the whole text, at most 32 bits: no sign, no
    // blank, no "0x".
    std::uint32_t number = 0;
    const char* const end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, number, 16);
    if (read.ec != std::errc() || read.ptr != end) {
        stream.setstate(std::ios::failbit);
        return stream;
    }
    // Only the low bits of T are kept: "101" read as a byte is 1.
    hex = _hex2<T>(static_cast<T>(number));
    return stream;
}

} // namespace config
