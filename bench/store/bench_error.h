#pragma once

#include <stdexcept>
#include <string>

namespace velkor {
namespace bench {

// Everything the bench refuses or cannot do; the text is meant for the user.
class BenchError : public std::runtime_error {
public:
    explicit BenchError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace bench
} // namespace velkor
