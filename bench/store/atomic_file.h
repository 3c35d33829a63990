#pragma once

#include <boost/filesystem/path.hpp>

#include <limits>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

using Bytes = std::vector<unsigned char>;

// Whole-file reads and atomic replacement: a writer goes through a temporary
// file in the same folder, synced before it is renamed over the target, so a
// reader or a crash sees either the old content or the new, never a mix.
namespace atomic_file {

// Throws BenchError; nothing changes at `path` when it does.
void Write(const boost::filesystem::path& path, const Bytes& bytes, bool ownerOnly = false);
void WriteText(const boost::filesystem::path& path, const std::string& text,
               bool ownerOnly = false);
// Throws BenchError when the file cannot be read or holds more than
// `maxSize` bytes.
Bytes Read(const boost::filesystem::path& path,
           std::size_t maxSize = std::numeric_limits<std::size_t>::max());
std::string ReadText(const boost::filesystem::path& path,
                     std::size_t maxSize = std::numeric_limits<std::size_t>::max());

} // namespace atomic_file

} // namespace bench
} // namespace velkor
