#include "bench/store/atomic_file.h"

#include "bench/text/bench_error.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>
#include <vector>

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

Bytes detail::ReadUpTo(const boost::filesystem::path& path, std::size_t maxSize,
                       const std::function<std::size_t(unsigned char*, std::size_t)>& readSome) {
    Bytes bytes;
    unsigned char buffer[8192];
    for (;;) {
        const std::size_t count = readSome(buffer, sizeof buffer);
        if (count == 0) {
            return bytes;
        }
        if (bytes.size() + count > maxSize) {
            throw BenchError(path.string() + " is larger than " + std::to_string(maxSize) +
                             " bytes");
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
}

bool IsTemporary(const std::string& name, const std::string& target) {
    const std::string mark = ".tmp-";
    const std::size_t at = name.rfind(mark);
    if (name.size() < 2 || name[0] != '.' || at == std::string::npos || at < 2) {
        return false;
    }
    const std::string of = name.substr(1, at - 1);
    const std::string unique = name.substr(at + mark.size());
    return (target.empty() || of == target) && unique.size() >= 6 && unique.size() <= 8 &&
           std::all_of(unique.begin(), unique.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

void RemoveTemporaries(const boost::filesystem::path& folder, const std::string& target) {
    namespace fs = boost::filesystem;
    boost::system::error_code error;
    std::vector<fs::path> left;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (IsTemporary(it->path().filename().string(), target) &&
            fs::is_regular_file(it->symlink_status(error))) {
            left.push_back(it->path());
        }
    }
    for (const fs::path& file : left) {
        fs::remove(file, error);
    }
}

} // namespace atomic_file
} // namespace bench
} // namespace velkor
