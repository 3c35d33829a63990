#include "platform/tools/portable_binary_archive.h"

#include <boost/endian/conversion.hpp>

#include <sstream>

namespace mirl {
namespace tools {

namespace {

bool BigEndianFrom(unsigned flags, const char* archive) {
    const unsigned known = no_header | endian_big | endian_little;
    std::ostringstream problem;
    if ((flags & ~known) != 0) {
        problem << archive << ": unknown flags 0x" << std::hex << flags;
    } else if ((flags & no_header) == 0) {
        problem << archive << ": only header-less archives are supported (flags 0x" << std::hex
                << flags << ")";
    } else if ((flags & endian_big) != 0 && (flags & endian_little) != 0) {
        problem << archive << ": both byte orders requested (flags 0x" << std::hex << flags << ")";
    }
    if (!problem.str().empty()) {
        throw archive_exception(problem.str());
    }
    return (flags & endian_big) != 0;
}

void CheckWidth(char width, const char* archive) {
    if (width != 1 && width != 2 && width != 4 && width != 8) {
        std::ostringstream problem;
        problem << archive << ": unsupported field width " << int(width);
        throw archive_exception(problem.str());
    }
}

template <std::size_t N> void Store(unsigned char* bytes, std::uint64_t value, bool bigEndian) {
    using boost::endian::order;
    if (bigEndian) {
        boost::endian::endian_store<std::uint64_t, N, order::big>(bytes, value);
    } else {
        boost::endian::endian_store<std::uint64_t, N, order::little>(bytes, value);
    }
}

template <std::size_t N> std::uint64_t Load(const unsigned char* bytes, bool bigEndian) {
    using boost::endian::order;
    return bigEndian ? boost::endian::endian_load<std::uint64_t, N, order::big>(bytes)
                     : boost::endian::endian_load<std::uint64_t, N, order::little>(bytes);
}

// The low `width` bytes of value, in the archive's byte order.
void StoreField(unsigned char* bytes, std::uint64_t value, char width, bool bigEndian) {
    switch (width) {
    case 1:
        return Store<1>(bytes, value, bigEndian);
    case 2:
        return Store<2>(bytes, value, bigEndian);
    case 4:
        return Store<4>(bytes, value, bigEndian);
    default:
        return Store<8>(bytes, value, bigEndian);
    }
}

std::uint64_t LoadField(const unsigned char* bytes, char width, bool bigEndian) {
    switch (width) {
    case 1:
        return Load<1>(bytes, bigEndian);
    case 2:
        return Load<2>(bytes, bigEndian);
    case 4:
        return Load<4>(bytes, bigEndian);
    default:
        return Load<8>(bytes, bigEndian);
    }
}

} // namespace

portable_binary_oarchive::portable_binary_oarchive(std::ostream& stream, unsigned flags)
    : stream_(stream), bigEndian_(BigEndianFrom(flags, "portable_binary_oarchive")) {}

void portable_binary_oarchive::save(unsigned char byte) {
    stream_.put(static_cast<char>(byte));
    if (!stream_) {
        throw archive_exception("portable_binary_oarchive: output stream error");
    }
}

void portable_binary_oarchive::save_impl(std::int64_t value, char width) {
    CheckWidth(width, "portable_binary_oarchive");
    if (width < 8) {
        const int bits = 8 * width;
        const std::int64_t lowest = -(std::int64_t(1) << (bits - 1));
        const std::int64_t highest = (std::int64_t(1) << bits) - 1;
        if (value < lowest || value > highest) {
            std::ostringstream problem;
            problem << "portable_binary_oarchive: value " << value << " does not fit in "
                    << int(width) << " bytes";
            throw archive_exception(problem.str());
        }
    }
    unsigned char bytes[8];
    StoreField(bytes, static_cast<std::uint64_t>(value), width, bigEndian_);
    stream_.write(reinterpret_cast<const char*>(bytes), width);
    if (!stream_) {
        throw archive_exception("portable_binary_oarchive: output stream error");
    }
}

portable_binary_iarchive::portable_binary_iarchive(std::istream& stream, unsigned flags)
    : stream_(stream), bigEndian_(BigEndianFrom(flags, "portable_binary_iarchive")) {}

void portable_binary_iarchive::load(unsigned char& byte) {
    const std::istream::int_type c = stream_.get();
    if (c == std::istream::traits_type::eof()) {
        throw archive_exception(
            "portable_binary_iarchive: input stream ended before a 1-byte field");
    }
    byte = static_cast<unsigned char>(c);
}

void portable_binary_iarchive::load_impl(std::int64_t& value, char width) {
    CheckWidth(width, "portable_binary_iarchive");
    char bytes[8];
    stream_.read(bytes, width);
    const std::streamsize got = stream_.gcount();
    if (got != width) {
        std::ostringstream problem;
        problem << "portable_binary_iarchive: input stream ended after " << got << " of "
                << int(width) << " bytes of a " << int(width) << "-byte field";
        throw archive_exception(problem.str());
    }
    value = static_cast<std::int64_t>(
        LoadField(reinterpret_cast<const unsigned char*>(bytes), width, bigEndian_));
}

} // namespace tools
} // namespace mirl
