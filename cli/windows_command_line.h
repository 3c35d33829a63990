#pragma once

#include <string>
#include <vector>

namespace velkor {
namespace cli {

// A Windows command line that the C runtime splits back into exactly
// `program` and `args`: Boost.Process 1.74 drops empty words there and
// leaves quotes and the backslashes before them as they are.
std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& args);

} // namespace cli
} // namespace velkor
