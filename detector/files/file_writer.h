#pragma once

#include "platform/acquisition/extensions.h"
#include "platform/tools/portable_binary_archive.h"

#include <boost/iostreams/categories.hpp>
#include <boost/iostreams/stream.hpp>

#include <cstddef>
#include <cstdint>

namespace mirl {
namespace acquisition {

// Appends detector file fields to a byte vector: each field is one archive
// call, little-endian, with nothing between the fields.
class FileWriter {
    // Appends the stream's characters to a byte vector.
    class ByteSink {
    public:
        using char_type = char;
        using category = boost::iostreams::sink_tag;

        explicit ByteSink(Bytes& bytes) : bytes_(&bytes) {}
        std::streamsize write(const char* data, std::streamsize count);

    private:
        Bytes* bytes_;
    };

public:
    explicit FileWriter(Bytes& bytes);

    void PutByte(std::uint8_t value);
    void PutBytes(const std::uint8_t* values, std::size_t count);
    void PutChars(const char* values, std::size_t count);
    void PutUInt16(std::uint16_t value);
    void PutUInt32(std::uint32_t value);

    // The vector holds every field only after this; throws archive_exception
    // when the stream fails.
    void Flush();

private:
    boost::iostreams::stream<ByteSink> stream_;
    mirl::tools::portable_binary_oarchive archive_;
};

} // namespace acquisition
} // namespace mirl
