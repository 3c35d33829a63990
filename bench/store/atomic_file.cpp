#include "bench/store/atomic_file.h"

namespace velkor {
namespace bench {
namespace atomic_file {

// Write and Read are the system's (atomic_file_posix.cpp, atomic_file_windows.cpp).

void WriteText(const boost::filesystem::path& path, const std::string& text, bool ownerOnly) {
    Write(path, Bytes(text.begin(), text.end()), ownerOnly);
}

std::string ReadText(const boost::filesystem::path& path, std::size_t maxSize) {
    const Bytes bytes = Read(path, maxSize);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace atomic_file
} // namespace bench
} // namespace velkor
