#pragma once

#include "platform/acquisition/extensions.h"
#include "platform/tools/portable_binary_archive.h"

#include <boost/iostreams/device/back_inserter.hpp>
#include <boost/iostreams/stream.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirl {
namespace acquisition {

// Appends detector file fields to a byte vector: each field is one archive
// call, little-endian, with nothing between the fields.
class FileWriter {
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
    using Buffer = std::vector<char>;

    Bytes& bytes_;
    // The archive writes characters; the detector's bytes are unsigned, so
    // they are gathered here and appended to the vector on Flush.
    Buffer buffer_;
    boost::iostreams::stream<boost::iostreams::back_insert_device<Buffer>> stream_;
    mirl::tools::portable_binary_oarchive archive_;
};

} // namespace acquisition
} // namespace mirl
