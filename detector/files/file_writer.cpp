#include "detector/files/file_writer.h"

namespace mirl {
namespace acquisition {

namespace {
const unsigned ArchiveFlags = mirl::tools::no_header | mirl::tools::endian_little;
} // namespace

FileWriter::FileWriter(Bytes& bytes)
    : bytes_(bytes), stream_(boost::iostreams::back_inserter(buffer_)),
      archive_(stream_, ArchiveFlags) {}

void FileWriter::PutByte(std::uint8_t value) {
    archive_.save(value);
}

void FileWriter::PutBytes(const std::uint8_t* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        archive_.save(values[i]);
    }
}

void FileWriter::PutChars(const char* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        archive_.save(static_cast<unsigned char>(values[i]));
    }
}

void FileWriter::PutUInt16(std::uint16_t value) {
    archive_.save_impl(static_cast<std::int64_t>(value), 2);
}

void FileWriter::PutUInt32(std::uint32_t value) {
    archive_.save_impl(static_cast<std::int64_t>(value), 4);
}

void FileWriter::Flush() {
    stream_.flush();
    if (!stream_) {
        throw mirl::tools::archive_exception("FileWriter: output stream error on flush");
    }
    bytes_.insert(bytes_.end(), buffer_.begin(), buffer_.end());
    buffer_.clear();
}

} // namespace acquisition
} // namespace mirl
