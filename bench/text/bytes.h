#pragma once

#include <vector>

namespace velkor {
namespace bench {

// Raw bytes: a detector's numbered file, a stored file's content.
using Bytes = std::vector<unsigned char>;

} // namespace bench
} // namespace velkor
