// A run can be killed at any moment: whatever it leaves on disk must be the
// detector (or bench) as it was before or after one call, never between.
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/store/detector_files.h"
#include "bench/store/detector_session.h"
#include "bench/testing/scratch_bench.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;

const int kRounds = 20;

// Runs `work` in a child process, which reports each finished step on a pipe,
// and kills it with SIGKILL as soon as `steps` steps are reported: the kill
// lands somewhere in the step after.
void KillAfter(int steps, const std::function<void(const std::function<void()>&)>& work) {
    int pipe[2];
    ASSERT_EQ(0, ::pipe(pipe));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipe[0]);
        const auto step = [&pipe] {
            const char token = 's';
            if (::write(pipe[1], &token, 1) != 1) {
                ::_exit(4);
            }
        };
        try {
            for (;;) {
                work(step);
            }
        } catch (...) {
            ::_exit(3);
        }
    }
    ::close(pipe[1]);
    for (int done = 0; done < steps; ++done) {
        char token = 0;
        if (::read(pipe[0], &token, 1) != 1) {
            ADD_FAILURE() << "the child ended before it was killed";
            break;
        }
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(pipe[0]);
}

fs::path FolderOf(const BenchStore& store, const std::string& id) {
    const BenchCatalogue catalogue =
        BenchCatalogue::FromJson(atomicfile::ReadText(store.root() / "bench.json"));
    return store.root() / "detectors" / catalogue.find(id)->folder;
}

TEST(KillTest, SsidAndPasswordAreStoredTogetherOrNotAtAll) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const fs::path folder = FolderOf(store, "6080MV");
    for (int round = 0; round < kRounds; ++round) {
        KillAfter(1 + round % 4, [&](const std::function<void()>& step) {
            const auto session = store.open("6080MV");
            for (int i = 0;; ++i) {
                session->writeSsidAndPassword("NET-" + std::to_string(i),
                                              "password-" + std::to_string(i));
                step();
            }
        });
        const DetectorRecord stored = DetectorSession::Load(folder);
        ASSERT_EQ(0u, stored.state.ssid.compare(0, 4, "NET-")) << stored.state.ssid;
        ASSERT_TRUE(stored.password);
        EXPECT_EQ("password-" + stored.state.ssid.substr(4), *stored.password);
    }
}

TEST(KillTest, AFileIsStoredWithItsPendingReboot) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const fs::path folder = FolderOf(store, "7380");
    for (int round = 0; round < kRounds; ++round) {
        KillAfter(1 + round % 5, [&](const std::function<void()>& step) {
            const auto session = store.open("7380");
            for (int i = 0;; ++i) {
                const std::uint8_t last = static_cast<std::uint8_t>(1 + (round * 7 + i) % 250);
                session->writeFile(
                    206, detectorfiles::MakeRegisterFile({10, 0, 37, last}, {10, 0, 37, 254}));
                step();
                session->reboot();
                step();
            }
        });
        const DetectorRecord stored = DetectorSession::Load(folder);
        EXPECT_EQ("", detectorfiles::RefusalOf(206, stored.file));
        if (!stored.state.pendingReboot) {
            EXPECT_EQ(detectorfiles::DetectorAddressOf(206, stored.file), stored.state.address);
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
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    for (int round = 0; round < kRounds; ++round) {
        KillAfter(1 + round % 4, [&](const std::function<void()>& step) {
            store.init(true);
            step();
            store.add(*BenchModel::Find("7380"), "10.9.9.9", boost::none, boost::none);
            step();
        });
        ExpectWhole(store);
        std::set<std::string> ids;
        for (const DetectorState& state : store.detectors()) {
            ids.insert(state.id);
        }
        std::set<std::string> withAdded = FactoryIds();
        withAdded.insert("7380-2");
        EXPECT_TRUE(ids == FactoryIds() || ids == withAdded) << ids.size();
    }
}

TEST(KillTest, RemoveTakesTheDetectorAndItsModuleTogether) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    for (int round = 0; round < kRounds; ++round) {
        KillAfter(1 + round % 3, [&](const std::function<void()>& step) {
            if (!store.find("6080QL")) {
                store.add(*BenchModel::Find("6080QL"), "192.168.1.20", boost::none, boost::none);
                store.plug("COM3", "6080QL");
                step();
            }
            store.remove("6080QL");
            step();
        });
        ExpectWhole(store);
    }
}

} // namespace
} // namespace bench
} // namespace velkor
