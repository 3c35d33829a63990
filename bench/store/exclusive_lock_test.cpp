#include "bench/store/bench_error.h"
#include "bench/store/exclusive_lock.h"
#include "bench/testing/scratch_bench.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <future>
#include <iterator>
#include <mutex>
#include <thread>

namespace velkor {
namespace bench {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

ExclusiveLock Take(const boost::filesystem::path& path, milliseconds timeout) {
    return ExclusiveLock(path, timeout, "busy: gave up", "gone");
}

TEST(ExclusiveLockTest, ASecondHolderWaitsTheTimeoutThenFailsWithTheBusyText) {
    testing::ScratchBench scratch;
    const auto path = scratch.dir() / "lock";
    const ExclusiveLock first = Take(path, milliseconds(100));
    ASSERT_TRUE(first.held());

    const auto start = Clock::now();
    try {
        Take(path, milliseconds(300));
        FAIL() << "the second lock was granted";
    } catch (const BenchError& error) {
        EXPECT_STREQ("busy: gave up", error.what());
    }
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(300));
    EXPECT_LT(waited, milliseconds(2000));
}

TEST(ExclusiveLockTest, ReleasingLetsTheNextHolderInAtOnce) {
    testing::ScratchBench scratch;
    const auto path = scratch.dir() / "lock";
    { const ExclusiveLock first = Take(path, milliseconds(100)); }
    ExclusiveLock second = Take(path, milliseconds(100));
    second.release();
    EXPECT_FALSE(second.held());
    const auto start = Clock::now();
    const ExclusiveLock third = Take(path, milliseconds(100));
    EXPECT_LT(Clock::now() - start, milliseconds(100));
}

TEST(ExclusiveLockTest, AWaiterGetsTheLockWhenTheHolderLetsGoWithinTheTimeout) {
    testing::ScratchBench scratch;
    const auto path = scratch.dir() / "lock";
    auto first = std::make_shared<ExclusiveLock>(Take(path, milliseconds(100)));

    std::mutex mutex;
    std::condition_variable never;
    std::thread holder([&] {
        // Let the waiter block for a moment before the lock goes.
        std::unique_lock<std::mutex> guard(mutex);
        never.wait_for(guard, milliseconds(150));
        first.reset();
    });
    const auto start = Clock::now();
    EXPECT_NO_THROW(Take(path, milliseconds(5000)));
    EXPECT_LT(Clock::now() - start, milliseconds(4000));
    holder.join();
}

TEST(ExclusiveLockTest, ALockInAnotherThreadExcludesToo) {
    testing::ScratchBench scratch;
    const auto path = scratch.dir() / "lock";
    const ExclusiveLock first = Take(path, milliseconds(100));
    auto attempt = std::async(std::launch::async, [&] {
        try {
            Take(path, milliseconds(200));
            return true;
        } catch (const BenchError&) {
            return false;
        }
    });
    EXPECT_FALSE(attempt.get());
}

TEST(ExclusiveLockTest, AMissingFolderGivesTheGoneText) {
    testing::ScratchBench scratch;
    try {
        Take(scratch.dir() / "removed" / "lock", milliseconds(100));
        FAIL() << "no exception";
    } catch (const BenchError& error) {
        EXPECT_STREQ("gone", error.what());
    }
}

// A lock file replaced by a link is refused: neither the file it names is
// created, nor an existing one opened.
TEST(ExclusiveLockTest, ALinkInPlaceOfTheLockFileIsNeverFollowed) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links: Wine follows its own";
#else
    testing::ScratchBench scratch;
    const auto path = scratch.dir() / "lock";
    const auto kept = scratch.dir() / "kept";
    { std::ofstream(kept.string()) << "kept"; }
    for (const auto& target : {scratch.dir() / "missing", kept}) {
        boost::filesystem::remove(path);
        boost::filesystem::create_symlink(target, path);
        try {
            Take(path, milliseconds(100));
            FAIL() << "locked through a link to " << target;
        } catch (const BenchError& error) {
            EXPECT_EQ(LinkText(path), error.what());
        }
    }
    EXPECT_FALSE(boost::filesystem::exists(scratch.dir() / "missing"));
    std::ifstream in(kept.string());
    EXPECT_EQ("kept", std::string(std::istreambuf_iterator<char>(in), {}));
#endif
}

} // namespace
} // namespace bench
} // namespace velkor
