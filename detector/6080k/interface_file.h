#pragma once

#include "detector/files/file_header.h"
#include "platform/acquisition/extensions.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace mirl {
namespace acquisition {
namespace vk6080K {

// File 68 of a 6080K: the header and the detector's address, no checksum.
struct InterfaceFile {
    static constexpr std::size_t Size = FileHeader::Size + 4;

    FileHeader header;
    // Dotted order: address[0] is the first number.
    std::array<std::uint8_t, 4> address{};
    // Whatever followed the 68 bytes in the file read, written back as it was.
    Bytes trailer;

    // Throws mirl::tools::archive_exception when bytes are too short; this
    // object is then left as it was.
    void Decode(const Bytes& bytes);
    Bytes Encode() const;
};

} // namespace vk6080K
} // namespace acquisition
} // namespace mirl
