#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/testing/scratch_bench.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFileTest, ReplacesTheWholeContentAndLeavesNoTemporaryFile) {
    testing::ScratchBench scratch;
    const fs::path file = scratch.dir() / "file-206.bin";
    atomic_file::Write(file, Bytes(300, 0xAA));
    atomic_file::Write(file, Bytes{1, 2, 3});
    EXPECT_EQ((Bytes{1, 2, 3}), atomic_file::Read(file));
    EXPECT_EQ(1u, EntriesIn(scratch.dir()));
}

TEST(AtomicFileTest, AFailedReplacementKeepsTheOldBytesAndCleansUp) {
    testing::ScratchBench scratch;
    // A non-empty folder in the way makes the final rename fail.
    const fs::path blocked = scratch.dir() / "blocked";
    fs::create_directories(blocked / "inside");
    EXPECT_THROW(atomic_file::Write(blocked, Bytes{9}), BenchError);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(1u, EntriesIn(scratch.dir()));

    const fs::path missing = scratch.dir() / "no-such-folder" / "file";
    EXPECT_THROW(atomic_file::Write(missing, Bytes{9}), BenchError);
}

TEST(AtomicFileTest, OwnerOnlyFilesAreNotReadableByOthers) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX file modes; on Windows the bench lives in the user's own profile";
#endif
    testing::ScratchBench scratch;
    const fs::path file = scratch.dir() / "password";
    atomic_file::WriteText(file, "secret-text", true);
    EXPECT_EQ(fs::owner_read | fs::owner_write, fs::status(file).permissions());
    EXPECT_EQ("secret-text", atomic_file::ReadText(file));
}

TEST(AtomicFileTest, AConcurrentReaderSeesOneWholeVersionOrTheOther) {
    testing::ScratchBench scratch;
    const fs::path file = scratch.dir() / "state.json";
    const Bytes first(64 * 1024, 'a');
    const Bytes second(48 * 1024, 'b');
    atomic_file::Write(file, first);
    std::atomic<bool> writing{true};
    std::string writeFailure;
    std::thread writer([&] {
        try {
            for (int i = 0; i < 200; ++i) {
                atomic_file::Write(file, i % 2 == 0 ? second : first);
            }
        } catch (const BenchError& error) {
            writeFailure = error.what();
        }
        writing = false;
    });
    int torn = 0;
    int reads = 0;
    while (writing || reads == 0) {
        const Bytes seen = atomic_file::Read(file);
        torn += (seen == first || seen == second) ? 0 : 1;
        ++reads;
    }
    writer.join();
    EXPECT_EQ(0, torn) << "out of " << reads << " reads";
    EXPECT_EQ("", writeFailure);
}

TEST(AtomicFileTest, ReadingAMissingFileSaysWhich) {
    testing::ScratchBench scratch;
    try {
        atomic_file::Read(scratch.dir() / "nothing-here");
        FAIL() << "no exception";
    } catch (const BenchError& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("nothing-here"));
    }
}

} // namespace
} // namespace bench
} // namespace velkor
