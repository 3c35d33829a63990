#pragma once

#include "bench/store/bench_store.h"
#include "bench/testing/scratch_bench.h"
#include "platform/tools/testing/environment.h"

#include <boost/shared_ptr.hpp>

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

namespace velkor {
namespace bench {
namespace testing {

// A factory bench for tests of one emulated library: whatever a test opened
// (detectors or modules) is closed at the end, and the library's manager
// (`Manager::manager()`) is cleared. Locks time out after 200 ms.
template <typename Manager, typename Opened> class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        environment.set("VELKOR_BENCH_LOCK_TIMEOUT_MS", "200");
        store.init(false);
    }
    void TearDown() override {
        for (const auto& object : opened) {
            object->close();
        }
        Manager::manager().clear();
    }

    // What `open` throws, or "no error".
    template <typename Open> static std::string FailureOf(Open open) {
        try {
            open();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "no error";
    }

    ScratchBench scratch;
    tools_testing::ScopedEnvironment environment;
    BenchStore store{scratch.root()};
    // The library's message callback, in order.
    std::vector<std::string> messages;
    std::vector<boost::shared_ptr<Opened>> opened;
};

} // namespace testing
} // namespace bench
} // namespace velkor
