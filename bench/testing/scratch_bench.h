#pragma once

#include "platform/tools/testing/environment.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem.hpp>

#include <string>

namespace velkor {
namespace bench {
namespace testing {

// A fresh bench folder for one test, published as $VELKOR_BENCH (the
// libraries look the bench up there) and removed afterwards.
class ScratchBench : private boost::noncopyable {
public:
    ScratchBench()
        : dir_(boost::filesystem::temp_directory_path() /
               boost::filesystem::unique_path("velkor-bench-test-%%%%-%%%%-%%%%")) {
        boost::filesystem::create_directories(dir_);
        environment_.set("VELKOR_BENCH", root().string());
    }
    ~ScratchBench() {
        boost::system::error_code ignored;
        boost::filesystem::remove_all(dir_, ignored);
    }

    // The bench folder itself does not exist until something creates it.
    boost::filesystem::path root() const { return dir_ / "bench"; }
    const boost::filesystem::path& dir() const { return dir_; }

private:
    boost::filesystem::path dir_;
    tools_testing::ScopedEnvironment environment_;
};

} // namespace testing
} // namespace bench
} // namespace velkor
