#include "detector/files/file_reader.h"

namespace mirl {
namespace acquisition {

namespace {
const unsigned ArchiveFlags = mirl::tools::no_header | mirl::tools::endian_little;

const char* Begin(const Bytes& bytes) {
    return reinterpret_cast<const char*>(bytes.data());
}
} // namespace

FileReader::FileReader(const Bytes& bytes)
    : bytes_(bytes), stream_(Begin(bytes), bytes.size()), archive_(stream_, ArchiveFlags) {}

void FileReader::GetByte(std::uint8_t& value) {
    unsigned char byte = 0;
    archive_.load(byte);
    value = byte;
    consumed_ += 1;
}

void FileReader::GetBytes(std::uint8_t* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        GetByte(values[i]);
    }
}

void FileReader::GetChars(char* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t byte = 0;
        GetByte(byte);
        values[i] = static_cast<char>(byte);
    }
}

void FileReader::GetUInt16(std::uint16_t& value) {
    std::int64_t wide = 0;
    archive_.load_impl(wide, 2);
    value = static_cast<std::uint16_t>(wide & 0xFFFF);
    consumed_ += 2;
}

void FileReader::GetUInt32(std::uint32_t& value) {
    std::int64_t wide = 0;
    archive_.load_impl(wide, 4);
    value = static_cast<std::uint32_t>(wide & 0xFFFFFFFF);
    consumed_ += 4;
}

Bytes FileReader::Rest() const {
    return Bytes(bytes_.begin() + static_cast<Bytes::difference_type>(consumed_), bytes_.end());
}

} // namespace acquisition
} // namespace mirl
