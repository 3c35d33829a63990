#pragma once

#include "detector/files/file_reader.h"
#include "detector/files/file_writer.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace mirl {
namespace acquisition {

// The 64 bytes that open every detector file. Never interpreted: carried back
// exactly as read.
struct FileHeader {
    static constexpr std::size_t Size = 64;

    std::uint8_t kind = 0;
    std::uint8_t spare = 0;
    std::uint32_t length = 0;
    std::array<std::uint8_t, 10> reserved{};
    std::array<char, 12> name{};
    std::array<char, 12> sizeText{};
    std::array<char, 12> dateText{};
    std::array<char, 12> timeText{};

    void Save(FileWriter& writer) const;
    void Load(FileReader& reader);
};

} // namespace acquisition
} // namespace mirl
