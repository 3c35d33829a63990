// A bench set up by a user, then runs as root on it (a readdressing through
// the program, velkor-bench show and plug): the user goes on using the
// bench, every file of which is still theirs.
#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = boost::filesystem;
using Args = std::vector<std::string>;

TEST(BenchOwnerTest, RunsAsRootLeaveTheBenchItsOwners) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX owners; on Windows the bench lives in the user's own profile";
#else
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can run programs as another user";
    }
    const unsigned Nobody = 65534;
    e2e::Scratch scratch;
    fs::create_directories(scratch.benchDir());
    ASSERT_EQ(0, ::chown(scratch.benchDir().c_str(), Nobody, Nobody));
    const auto asOwner = [&scratch](const Args& args) {
        Args command = {"--reuid=65534", "--regid=65534", "--clear-groups", VELKOR_BENCH_PROGRAM};
        command.insert(command.end(), args.begin(), args.end());
        return scratch.run("/usr/bin/setpriv", command);
    };
    const e2e::RunResult setUp = asOwner({"init"});
    if (setUp.err.find("setpriv: failed to execute") != std::string::npos) {
        GTEST_SKIP() << "user nobody cannot run the programs from this build folder";
    }
    ASSERT_EQ(0, setUp.status) << setUp.err;

    const e2e::RunResult run = scratch.ipconfig(
        {"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-i", "CLINIC-XR", "-o",
         "s3cret-pass", "-d", "192.168.1.30", "-p", "192.168.1.1/24"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(0, scratch.bench({"show", "7380"}).status);
    EXPECT_EQ(0, scratch.bench({"plug", "COM9"}).status);
    for (fs::recursive_directory_iterator it(scratch.benchDir()), end; it != end; ++it) {
        struct stat status;
        ASSERT_EQ(0, ::lstat(it->path().c_str(), &status));
        EXPECT_EQ(Nobody, status.st_uid) << it->path();
    }

    for (const Args& args : {Args{"show", "6080QL"}, Args{"show", "7380"}, Args{"remove", "7380"},
                             Args{"init", "--force"}}) {
        const e2e::RunResult owned = asOwner(args);
        EXPECT_EQ(0, owned.status) << args.front() << ": " << owned.err;
    }
#endif
}

} // namespace
