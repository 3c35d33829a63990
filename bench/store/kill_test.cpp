// A run can be killed at any moment: whatever it leaves on disk must be the
// detector (or bench) as it was before or after one call, never between.
// The work runs in a child process (this test program again, running only
// KillTest.Child) that reports each finished step; it is killed as soon as a
// chosen number of steps is reported, so the kill lands in the step after.
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/store/detector_files.h"
#include "bench/store/detector_session.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/scratch_bench.h"
#include "platform/tools/testing/environment.h"

#include <boost/dll/runtime_symbol_info.hpp>
#include <boost/filesystem.hpp>
#include <boost/process.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string>

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;
namespace bp = boost::process;

const int Rounds = 20;
const char* const StepLine = "velkor-kill-test: step";

using Step = std::function<void()>;
// What a child does, for ever, in round `round`.
using Work = std::function<void(BenchStore& store, int round, const Step& step)>;

const std::map<std::string, Work>& Scenarios() {
    static const std::map<std::string, Work> scenarios = {
        {"ssid-and-password",
         [](BenchStore& store, int, const Step& step) {
             const auto session = store.open("6080MV");
             for (int i = 0;; ++i) {
                 session->writeSsidAndPassword("NET-" + std::to_string(i),
                                               "password-" + std::to_string(i));
                 step();
             }
         }},
        {"file-and-reboot",
         [](BenchStore& store, int round, const Step& step) {
             const auto session = store.open("7380");
             for (int i = 0;; ++i) {
                 const auto last = static_cast<std::uint8_t>(1 + (round * 7 + i) % 250);
                 session->writeFile(
                     206, detector_files::MakeRegisterFile({10, 0, 37, last}, {10, 0, 37, 254}));
                 step();
                 session->reboot();
                 step();
             }
         }},
        {"init-force",
         [](BenchStore& store, int, const Step& step) {
             for (;;) {
                 store.init(true);
                 step();
                 store.add(*BenchModel::Find("7380"), "10.9.9.9", boost::none, boost::none);
                 step();
             }
         }},
        {"remove",
         [](BenchStore& store, int, const Step& step) {
             for (;;) {
                 if (!store.find("6080QL")) {
                     store.add(*BenchModel::Find("6080QL"), "192.168.1.20", boost::none,
                               boost::none);
                     store.plug("COM3", "6080QL");
                     step();
                 }
                 store.remove("6080QL");
                 step();
             }
         }},
    };
    return scenarios;
}

// The child's side: only when started by KillAfter.
TEST(KillTest, Child) {
    const char* scenario = std::getenv("VELKOR_KILL_TEST_SCENARIO");
    if (scenario == nullptr || *scenario == '\0') {
        GTEST_SKIP() << "the child of the other kill tests, started by them";
    }
    BenchStore store(BenchStore::DefaultRoot());
    const int round = std::atoi(std::getenv("VELKOR_KILL_TEST_ROUND"));
    Scenarios().at(scenario)(store, round, [] { std::cout << StepLine << std::endl; });
}

// Starts the child on `scenario` and kills it once it reported `steps` steps.
void KillAfter(const std::string& scenario, int round, int steps) {
    tools_testing::ScopedEnvironment environment;
    environment.set("VELKOR_KILL_TEST_SCENARIO", scenario)
        .set("VELKOR_KILL_TEST_ROUND", std::to_string(round));
    bp::ipstream out;
    bp::child child(boost::dll::program_location().string(), "--gtest_filter=KillTest.Child",
                    bp::std_in.close(), bp::std_out > out, bp::std_err > bp::null);
    int reported = 0;
    for (std::string line; reported < steps && std::getline(out, line);) {
        if (line.compare(0, std::string(StepLine).size(), StepLine) == 0) {
            ++reported;
        }
    }
    EXPECT_EQ(steps, reported) << "the child ended before it was killed";
    child.terminate();
    child.wait();
}

// A factory bench in a scratch folder, for the parent side of a kill test.
struct FactoryBench {
    FactoryBench() { store.init(false); }
    testing::ScratchBench scratch;
    BenchStore store{scratch.root()};
};

// The temporary files killed writes left in the folder.
std::size_t Temporaries(const fs::path& folder) {
    std::size_t count = 0;
    for (fs::directory_iterator it(folder), end; it != end; ++it) {
        count += atomic_file::IsTemporary(it->path().filename().string()) ? 1 : 0;
    }
    return count;
}

// The next structural command removes what killed writes left, the bench's
// and its detectors'.
void ExpectNoTemporariesAfterACommand(BenchStore& store) {
    store.plug("COM9", "");
    EXPECT_EQ(0u, Temporaries(store.root()));
    for (const DetectorState& state : store.detectors()) {
        EXPECT_EQ(0u, Temporaries(testing::FolderOfDetector(store.root(), state.id))) << state.id;
    }
}

TEST(KillTest, SsidAndPasswordAreStoredTogetherOrNotAtAll) {
    FactoryBench bench;
    BenchStore& store = bench.store;
    const fs::path folder = testing::FolderOfDetector(store.root(), "6080MV");
    for (int round = 0; round < Rounds; ++round) {
        KillAfter("ssid-and-password", round, 1 + round % 4);
        const DetectorRecord stored = DetectorSession::Load(folder);
        ASSERT_EQ(0u, stored.state.ssid.compare(0, 4, "NET-")) << stored.state.ssid;
        ASSERT_TRUE(stored.password);
        EXPECT_EQ("password-" + stored.state.ssid.substr(4), *stored.password);
    }
    // The next change of the detector removes what the killed writes left.
    store.open("6080MV")->setHostName("WORKSTATION");
    EXPECT_EQ(0u, Temporaries(folder));
}

TEST(KillTest, AFileIsStoredWithItsPendingReboot) {
    FactoryBench bench;
    BenchStore& store = bench.store;
    const fs::path folder = testing::FolderOfDetector(store.root(), "7380");
    for (int round = 0; round < Rounds; ++round) {
        KillAfter("file-and-reboot", round, 1 + round % 5);
        const DetectorRecord stored = DetectorSession::Load(folder);
        EXPECT_EQ("", detector_files::RefusalOf(206, stored.file));
        if (!stored.state.pendingReboot) {
            EXPECT_EQ(detector_files::DetectorAddressOf(206, stored.file), stored.state.address);
        }
    }
}

std::set<std::string> FactoryIds() {
    return {"4050QL", "6080K", "6080MV", "6080QL", "7180", "7380", "7380TW"};
}

// Every detector bench.json names can be read, and every module faces one of
// them or none.
void ExpectWhole(const BenchStore& store) {
    for (const DetectorEntry& entry : store.survey()) {
        EXPECT_TRUE(entry.state) << entry.id << ": " << entry.damage;
    }
    for (const ModulePlug& plug : store.modules()) {
        EXPECT_TRUE(plug.detector.empty() || store.find(plug.detector)) << plug.detector;
    }
}

TEST(KillTest, InitForceLeavesTheOldBenchOrTheWholeNewOne) {
    FactoryBench bench;
    BenchStore& store = bench.store;
    for (int round = 0; round < Rounds; ++round) {
        KillAfter("init-force", round, 1 + round % 4);
        ExpectWhole(store);
        std::set<std::string> ids;
        for (const DetectorState& state : store.detectors()) {
            ids.insert(state.id);
        }
        std::set<std::string> withAdded = FactoryIds();
        withAdded.insert("7380-2");
        EXPECT_TRUE(ids == FactoryIds() || ids == withAdded) << ids.size();
    }
    ExpectNoTemporariesAfterACommand(store);
}

TEST(KillTest, RemoveTakesTheDetectorAndItsModuleTogether) {
    FactoryBench bench;
    BenchStore& store = bench.store;
    for (int round = 0; round < Rounds; ++round) {
        KillAfter("remove", round, 1 + round % 3);
        ExpectWhole(store);
    }
    ExpectNoTemporariesAfterACommand(store);
}

} // namespace
} // namespace bench
} // namespace velkor
