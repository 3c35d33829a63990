#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace velkor {
namespace cli {

// Bad arguments: reported with a usage line, status 2.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& reason, std::string usage)
        : std::runtime_error(reason), usage(std::move(usage)) {}
    std::string usage;
};

} // namespace cli
} // namespace velkor
