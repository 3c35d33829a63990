#pragma once

#include "bench/text/bytes.h"

#include <boost/filesystem/path.hpp>

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// Whole-file reads and atomic replacement: a writer goes through a temporary
// file in the same folder, synced before it is renamed over the target, so a
// reader or a crash sees either the old content or the new, never a mix.
// Neither reads nor replaces through a link (BenchError with LinkText).
namespace atomic_file {

// Throws BenchError; nothing changes at `path` when it does. The new file
// keeps the mode of the one it replaces; see file_owner for its owner.
void Write(const boost::filesystem::path& path, const Bytes& bytes, bool ownerOnly = false);
void WriteText(const boost::filesystem::path& path, const std::string& text,
               bool ownerOnly = false);
// Throws BenchError when the file cannot be read or holds more than
// `maxSize` bytes.
Bytes Read(const boost::filesystem::path& path,
           std::size_t maxSize = std::numeric_limits<std::size_t>::max());
std::string ReadText(const boost::filesystem::path& path,
                     std::size_t maxSize = std::numeric_limits<std::size_t>::max());

// Whether `name` is the name of a Write's temporary file (".NAME.tmp-" and
// six to eight letters or digits); of a Write to `target` when one is given.
bool IsTemporary(const std::string& name, const std::string& target = std::string());
// Removes from `folder` the temporary files that killed Writes to `target`
// left behind (regular files only: a link is left alone). Only while no Write
// to `target` can be going on, that is under the lock that guards it.
void RemoveTemporaries(const boost::filesystem::path& folder, const std::string& target);

namespace detail {
// Both systems' Read: gathers what `readSome` gives (0 at the end) and throws
// BenchError past `maxSize` bytes.
Bytes ReadUpTo(const boost::filesystem::path& path, std::size_t maxSize,
               const std::function<std::size_t(unsigned char*, std::size_t)>& readSome);
} // namespace detail

} // namespace atomic_file

} // namespace bench
} // namespace velkor
