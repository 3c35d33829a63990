// The log of a run is the file the run created at its start: whatever is put
// at its name while the run goes on receives nothing.
#include "bench/store/bench_store.h"
#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

namespace fs = boost::filesystem;
using ::testing::HasSubstr;

std::string Read(const fs::path& file) {
    std::ifstream stream(file.string(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

TEST(LogFileTest, WhatIsPutAtTheLogsNameDuringARunReceivesNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows renames no file that a program holds open, so nothing can be put "
                    "at the log's name during a run";
#endif
    const struct {
        const char* name;
        std::function<void(const fs::path& log, const fs::path& elsewhere)> plant;
    } plants[] = {{"a link to another file",
                   [](const fs::path& log, const fs::path& elsewhere) {
                       fs::create_symlink(elsewhere, log);
                   }},
                  {"a new file", [](const fs::path& log, const fs::path&) {
                       std::ofstream(log.string()) << "planted\n";
                   }}};
    for (const auto& plant : plants) {
        SCOPED_TRACE(plant.name);
        e2e::Scratch scratch;
        scratch.bench({"init"});
        const fs::path elsewhere = scratch.dir() / "elsewhere.txt";
        std::ofstream(elsewhere.string()) << "not a log\n";

        // The run waits for the detector that this test holds, after its
        // first log line; meanwhile its log is moved away and replaced.
        auto held = velkor::bench::BenchStore(scratch.benchDir()).open("7380");
        const auto run = scratch.start(
            {"-v", "-t", "7380", "-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133"},
            {{"VELKOR_BENCH_LOCK_TIMEOUT_MS", "20000"}});
        ASSERT_TRUE(run->readUntil("Board has been initialized"));
        const fs::path moved = scratch.dir() / "moved.log";
        fs::rename(scratch.logFile(), moved);
        plant.plant(scratch.logFile(), elsewhere);
        held.reset();
        const e2e::RunResult result = run->finish();

        EXPECT_EQ(0, result.status) << result.err;
        EXPECT_EQ("not a log\n", Read(elsewhere));
        if (!fs::is_symlink(scratch.logFile())) {
            EXPECT_EQ("planted\n", Read(scratch.logFile()));
        }
        const std::string log = Read(moved);
        EXPECT_THAT(log, HasSubstr("I DetectorIpManager::CreateDetector - Board has been "
                                   "initialized\n"));
        EXPECT_THAT(log, HasSubstr("I det : opened detector 7380"));
        EXPECT_THAT(log, HasSubstr("I DetectorIpManager::DeleteDetector - Detector has been "
                                   "deleted\n"));
    }
}

} // namespace
