#pragma once

#include "detector/files/file_reader.h"
#include "detector/files/file_writer.h"

#include <cstddef>
#include <cstdint>

namespace mirl {
namespace acquisition {
namespace vk7x80 {

// One register of the RDXP file.
struct RecordData {
    static constexpr std::size_t Size = 4;

    std::uint16_t id = 0;
    std::uint8_t value = 0;
    std::uint8_t spare = 0;

    void Save(FileWriter& writer) const;
    void Load(FileReader& reader);
};

} // namespace vk7x80
} // namespace acquisition
} // namespace mirl
