#pragma once

#include "platform/tools/testing/environment.h"
#include "platform/tools/testing/scratch_folder.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem/path.hpp>

#include <string>

namespace velkor {
namespace bench {
namespace testing {

// A fresh bench folder for one test, published as $VELKOR_BENCH (the
// libraries look the bench up there) and removed afterwards.
class ScratchBench : private boost::noncopyable {
public:
    ScratchBench() { environment_.set("VELKOR_BENCH", root().string()); }

    // The bench folder itself does not exist until something creates it.
    boost::filesystem::path root() const { return dir() / "bench"; }
    const boost::filesystem::path& dir() const { return folder_.dir(); }

private:
    tools_testing::ScratchFolder folder_{"velkor-bench-test"};
    tools_testing::ScopedEnvironment environment_;
};

} // namespace testing
} // namespace bench
} // namespace velkor
