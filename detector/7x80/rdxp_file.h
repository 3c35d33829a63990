#pragma once

#include "detector/7x80/record_data.h"
#include "detector/files/file_header.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_array.hpp>

#include <array>
#include <cstddef>
#include <cstdint>

namespace mirl {
namespace acquisition {
namespace vk7x80 {

// File 206 of a 7180/7380: header, register records, XOR checksum of every
// byte before it.
class RDXPFile {
public:
    static constexpr std::size_t RecordsOffset = 80;
    // The stored files: 18 records, checksum at offset 152.
    static constexpr std::size_t StoredSize = RecordsOffset + 18 * RecordData::Size + 1;

    FileHeader header;
    std::uint8_t count = 0;
    std::array<std::uint8_t, 15> reserved{};
    boost::shared_array<RecordData> records;
    std::uint8_t checksum = 0;
    // Whatever followed the checksum in the file read, written back as it was.
    Bytes trailer;

    std::size_t ChecksumOffset() const { return RecordsOffset + RecordData::Size * count; }
    // Size of the structure without the trailer.
    std::size_t StructureSize() const { return ChecksumOffset() + 1; }

    // Does not verify the checksum. Throws mirl::tools::archive_exception when
    // bytes are too short; this object is then left as it was.
    void Decode(const Bytes& bytes);
    // The fields as they are, the stored checksum field included.
    Bytes Encode() const;

    // XOR of bytes[0, end).
    static std::uint8_t Checksum(const Bytes& bytes, std::size_t end);
};

} // namespace vk7x80
} // namespace acquisition
} // namespace mirl
