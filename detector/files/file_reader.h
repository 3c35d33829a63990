#pragma once

#include "platform/acquisition/extensions.h"
#include "platform/tools/portable_binary_archive.h"

#include <boost/iostreams/device/array.hpp>
#include <boost/iostreams/stream.hpp>

#include <cstddef>
#include <cstdint>

namespace mirl {
namespace acquisition {

// Reads detector file fields from a byte vector, in the writer's encoding.
// A read past the end throws mirl::tools::archive_exception.
class FileReader {
public:
    // bytes must outlive the reader.
    explicit FileReader(const Bytes& bytes);

    void GetByte(std::uint8_t& value);
    void GetBytes(std::uint8_t* values, std::size_t count);
    void GetChars(char* values, std::size_t count);
    void GetUInt16(std::uint16_t& value);
    void GetUInt32(std::uint32_t& value);

    // Number of bytes the fields read so far took.
    std::size_t Consumed() const { return consumed_; }
    // The bytes after the fields read so far, so that a file can carry them back.
    Bytes Rest() const;

private:
    const Bytes& bytes_;
    boost::iostreams::stream<boost::iostreams::array_source> stream_;
    mirl::tools::portable_binary_iarchive archive_;
    std::size_t consumed_ = 0;
};

} // namespace acquisition
} // namespace mirl
