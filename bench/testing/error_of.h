#pragma once

#include "bench/store/bench_error.h"

#include <functional>
#include <string>

namespace velkor {
namespace bench {
namespace testing {

// The text of the BenchError `action` throws, or "no error".
inline std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const BenchError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace testing
} // namespace bench
} // namespace velkor
