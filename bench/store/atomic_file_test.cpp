#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/testing/scratch_bench.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

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

TEST(AtomicFileTest, NeitherReadsNorReplacesThroughALink) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links: Wine follows its own";
#else
    testing::ScratchBench scratch;
    const fs::path target = scratch.dir() / "elsewhere";
    const fs::path link = scratch.dir() / "state.json";
    atomic_file::WriteText(target, "kept");
    fs::create_symlink(target, link);
    for (const auto& action : std::vector<std::function<void()>>{
             [&] { atomic_file::Read(link); }, [&] { atomic_file::WriteText(link, "new"); }}) {
        try {
            action();
            FAIL() << "went through the link";
        } catch (const BenchError& error) {
            EXPECT_EQ(LinkText(link), error.what());
        }
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("kept", atomic_file::ReadText(target));
#endif
}

// A replacement keeps the mode the file had; an owner-only file never opens
// to others.
TEST(AtomicFileTest, AReplacementKeepsTheModeOfTheFileItReplaces) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX file modes; on Windows the bench lives in the user's own profile";
#else
    testing::ScratchBench scratch;
    const struct {
        fs::perms before;
        bool ownerOnly;
        fs::perms after;
    } cases[] = {
        {fs::owner_read | fs::owner_write | fs::group_read, false,
         fs::owner_read | fs::owner_write | fs::group_read},
        {fs::owner_read, false, fs::owner_read},
        {fs::owner_read | fs::owner_write | fs::others_read, true,
         fs::owner_read | fs::owner_write},
        {fs::owner_read, true, fs::owner_read},
    };
    for (const auto& c : cases) {
        const fs::path file = scratch.dir() / "kept-mode";
        fs::remove(file);
        atomic_file::WriteText(file, "before", c.ownerOnly);
        fs::permissions(file, c.before);
        atomic_file::WriteText(file, "after", c.ownerOnly);
        EXPECT_EQ(c.after, fs::symlink_status(file).permissions()) << c.before;
    }
#endif
}

// Only the temporary files of the Writes to one file go, and only files.
TEST(AtomicFileTest, RemoveTemporariesTakesOnlyThoseOfItsFile) {
    testing::ScratchBench scratch;
    const struct {
        const char* name;
        bool removed;
    } entries[] = {
        {".detector.json.tmp-Ab12Cd", true},
        {".detector.json.tmp-0a1b2c3d", true},
        {".detector.json.tmp-Ab12C", false},
        {".detector.json.tmp-Ab12Cd34e", false},
        {".detector.json.tmp-Ab-2Cd", false},
        {".bench.json.tmp-Ab12Cd", false},
        {"detector.json.tmp-Ab12Cd", false},
        {"detector.json", false},
        {"lock", false},
    };
    for (const auto& entry : entries) {
        atomic_file::WriteText(scratch.dir() / entry.name, "something");
    }
    fs::create_directories(scratch.dir() / ".detector.json.tmp-Folder" / "inside");
    atomic_file::RemoveTemporaries(scratch.dir(), "detector.json");
    for (const auto& entry : entries) {
        EXPECT_EQ(!entry.removed, fs::exists(scratch.dir() / entry.name)) << entry.name;
    }
    EXPECT_TRUE(fs::exists(scratch.dir() / ".detector.json.tmp-Folder" / "inside"));
    EXPECT_TRUE(atomic_file::IsTemporary(".bench.json.tmp-Ab12Cd"));
    EXPECT_FALSE(atomic_file::IsTemporary(".tmp-Ab12Cd"));
}

} // namespace
} // namespace bench
} // namespace velkor
