#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

namespace mirl {
namespace tools {

// Raised for every archive failure: short input, bad flags, stream errors.
class archive_exception : public std::runtime_error {
public:
    explicit archive_exception(const std::string& what) : std::runtime_error(what) {}
};

// Archive flags. Detector files are always handled with 0x8001:
// no header, little-endian fields.
enum archive_flags : unsigned {
    no_header = 0x0001,
    endian_big = 0x4000,
    endian_little = 0x8000,
};

// Fixed-width integer fields and nothing else in the stream: no header,
// no length prefixes, no padding.
class portable_binary_oarchive {
public:
    portable_binary_oarchive(std::ostream& stream, unsigned flags);

    void save(unsigned char byte);
    // Writes value in `width` bytes (1, 2, 4 or 8); a value that does not fit
    // throws rather than being cut.
    void save_impl(std::int64_t value, char width);

private:
    std::ostream& stream_;
    bool bigEndian_;
};

class portable_binary_iarchive {
public:
    portable_binary_iarchive(std::istream& stream, unsigned flags);

    void load(unsigned char& byte);
    // Reads `width` bytes (1, 2, 4 or 8) as an unsigned number.
    void load_impl(std::int64_t& value, char width);

private:
    std::istream& stream_;
    bool bigEndian_;
};

} // namespace tools
} // namespace mirl
