#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/store/detector_files.h"
#include "bench/testing/error_of.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/scratch_bench.h"
#include "platform/tools/testing/environment.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <cstdlib>

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <fstream>
#include <functional>
#include <future>
#include <vector>

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;
using testing::ErrorOf;

TEST(BenchStoreTest, TheBenchFolderComesFromTheEnvironment) {
    tools_testing::ScopedEnvironment environment;
#ifdef _WIN32
    environment.set("VELKOR_BENCH", "C:\\benches\\a-bench").set("LOCALAPPDATA", "C:\\Local");
    EXPECT_EQ("C:\\benches\\a-bench", BenchStore::DefaultRoot().string());
    environment.unset("VELKOR_BENCH");
    EXPECT_EQ("C:\\Local\\velkor\\bench", BenchStore::DefaultRoot().string());
#else
    environment.set("VELKOR_BENCH", "/tmp/a-bench")
        .set("XDG_STATE_HOME", "/tmp/state")
        .set("HOME", "/home/tech");
    EXPECT_EQ("/tmp/a-bench", BenchStore::DefaultRoot().string());
    environment.set("VELKOR_BENCH", "");
    EXPECT_EQ("/tmp/state/velkor/bench", BenchStore::DefaultRoot().string());
    environment.unset("VELKOR_BENCH");
    environment.set("XDG_STATE_HOME", "relative/state"); // not absolute: ignored
    EXPECT_EQ("/home/tech/.local/state/velkor/bench", BenchStore::DefaultRoot().string());
    environment.unset("XDG_STATE_HOME");
    EXPECT_EQ("/home/tech/.local/state/velkor/bench", BenchStore::DefaultRoot().string());
#endif
}

TEST(BenchStoreTest, TheLockTimeoutIsThreeSecondsUnlessOverridden) {
    tools_testing::ScopedEnvironment environment;
    environment.unset("VELKOR_BENCH_LOCK_TIMEOUT_MS");
    EXPECT_EQ(std::chrono::milliseconds(3000), BenchStore::LockTimeout());
    environment.set("VELKOR_BENCH_LOCK_TIMEOUT_MS", "250");
    EXPECT_EQ(std::chrono::milliseconds(250), BenchStore::LockTimeout());
    environment.set("VELKOR_BENCH_LOCK_TIMEOUT_MS", "soon");
    EXPECT_EQ(std::chrono::milliseconds(3000), BenchStore::LockTimeout());
}

TEST(BenchStoreTest, AMissingFolderIsAnEmptyBench) {
    testing::ScratchBench scratch;
    const BenchStore store(scratch.root());
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(store.detectors().empty());
    EXPECT_EQ("no detector 7380 on the bench at " + scratch.root().string() +
                  " (it is empty: velkor-bench init sets one up)",
              ErrorOf([&] { store.resolve("7380"); }));
    EXPECT_FALSE(fs::exists(scratch.root()));
}

struct FactoryDetector {
    const char* id;
    const char* address;
    const char* host; // stored host address, "" for none
    Link link;
    const char* ssid;
};

TEST(BenchStoreTest, InitSetsUpTheFactoryBench) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const FactoryDetector expected[] = {
        {"4050QL", "192.168.2.20", "192.168.2.1/24", Link::Wifi, "VK-4050QL"},
        {"6080K", "192.168.0.2", "", Link::Cable, ""},
        {"6080MV", "192.168.3.20", "192.168.3.1/24", Link::Cable, "VK-6080MV"},
        {"6080QL", "192.168.1.20", "192.168.1.1/24", Link::Cable, "VK-6080QL"},
        {"7180", "10.0.37.130", "10.0.37.131", Link::Cable, ""},
        {"7380", "192.168.37.130", "192.168.37.131", Link::Cable, ""},
        {"7380TW", "10.0.0.20", "10.0.0.1/16", Link::Cable, ""},
    };
    const std::vector<DetectorState> states = store.detectors();
    ASSERT_EQ(7u, states.size());
    for (std::size_t i = 0; i < states.size(); ++i) {
        const DetectorState& state = states[i];
        const FactoryDetector& factory = expected[i];
        EXPECT_EQ(factory.id, state.id);
        EXPECT_EQ(factory.id, state.model->name);
        EXPECT_EQ(factory.address, state.address) << factory.id;
        EXPECT_EQ(factory.link, state.link) << factory.id;
        EXPECT_EQ(factory.ssid, state.ssid) << factory.id;
        EXPECT_TRUE(state.faults.empty());
        if (state.model->hasNetworkConfig) {
            EXPECT_EQ(factory.host, state.hostAddress) << factory.id;
            EXPECT_EQ(factory.address, state.storedAddress) << factory.id;
        }
    }
    const auto session = store.open("7180");
    const auto file = detector_files::DecodeRegisterFile(session->readFile(206));
    EXPECT_TRUE(file.checksumRight());
    EXPECT_EQ("10.0.37.130", *file.address(0x43));
    EXPECT_EQ("10.0.37.131", *file.address(0x2F));
    EXPECT_EQ("10.0.37.131", *file.address(0x23));

    const Bytes k = store.open("6080K")->readFile(68);
    EXPECT_EQ((Bytes{192, 168, 0, 2}), Bytes(k.begin() + 64, k.end()));
    EXPECT_EQ(detector_files::MakeRegisterFile({192, 168, 37, 130}, {192, 168, 37, 131}),
              store.open("7380")->readFile(206));

    ASSERT_EQ(1u, store.modules().size());
    EXPECT_EQ("COM3", store.modules()[0].port);
    EXPECT_EQ("6080QL", store.modules()[0].detector);
}

TEST(BenchStoreTest, InitRefusesToOverwriteABenchUnlessForced) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    store.add(*BenchModel::Find("7380"), "10.0.37.140", boost::none, boost::none);
    store.open("6080K")->setFault("offline", true);
    EXPECT_EQ("a bench already exists at " + scratch.root().string() +
                  ": velkor-bench init --force replaces it",
              ErrorOf([&] { store.init(false); }));
    EXPECT_EQ(8u, store.detectors().size());

    store.init(true);
    EXPECT_EQ(7u, store.detectors().size());
    EXPECT_FALSE(store.find("7380-2"));
    EXPECT_TRUE(store.find("6080K")->faults.empty());
}

TEST(BenchStoreTest, AddGivesIdsAndTheModelsUsualPeers) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const auto add = [&store](const char* model, const char* address,
                              boost::optional<std::string> host = boost::none,
                              boost::optional<Link> link = boost::none) {
        return store.add(*BenchModel::Find(model), address, host, link);
    };
    EXPECT_EQ("7380-2", add("7380", "192.168.37.140").id);
    EXPECT_EQ("7380-3", add("7380", "192.168.37.141", std::string("192.168.37.200")).id);
    const auto file = detector_files::DecodeRegisterFile(store.open("7380-2")->readFile(206));
    EXPECT_EQ("192.168.37.140", *file.address(0x43));
    EXPECT_EQ("192.168.37.141", *file.address(0x2F));
    EXPECT_EQ(
        "192.168.37.200",
        *detector_files::DecodeRegisterFile(store.open("7380-3")->readFile(206)).address(0x23));

    const DetectorState ql = add("4050QL", "192.168.5.9", boost::none, Link::Wifi);
    EXPECT_EQ("4050QL-2", ql.id);
    EXPECT_EQ("192.168.5.1/24", ql.hostAddress);
    EXPECT_EQ("VK-4050QL-2", ql.ssid);
    EXPECT_EQ(2052, ql.commandPort);
    EXPECT_EQ(6007, ql.imagePort);
    EXPECT_EQ(Link::Wifi, ql.link);

    EXPECT_EQ("192.168.0.2 is already answered by detector 6080K",
              ErrorOf([&] { add("6080QL", "192.168.0.2"); }));
    EXPECT_EQ("a 6080K keeps no host address",
              ErrorOf([&] { add("6080K", "10.0.0.66", std::string("10.0.0.1")); }));
    EXPECT_EQ("a 7380TW takes a host address with a prefix length, not \"10.1.0.1\"",
              ErrorOf([&] { add("7380TW", "10.1.0.20", std::string("10.1.0.1")); }));
    EXPECT_EQ("a 7180 has no Wi-Fi: its link is a cable",
              ErrorOf([&] { add("7180", "10.0.37.150", boost::none, Link::Wifi); }));
    EXPECT_EQ(10u, store.detectors().size());
}

TEST(BenchStoreTest, ResolveTakesAnIdOrTheAddressAnsweredAt) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    EXPECT_EQ("7380", store.resolve("192.168.37.130"));
    EXPECT_EQ("7380TW", store.resolve("7380TW"));
    {
        auto session = store.open("6080MV");
        std::string refusal;
        session->writeAddresses("192.168.37.130", 1, "192.168.37.1/24", 1, 1, refusal);
        session->applyNetworkConfig();
    }
    EXPECT_EQ("several detectors answer at 192.168.37.130 (6080MV, 7380): name one by its id",
              ErrorOf([&] { store.resolve("192.168.37.130"); }));
    EXPECT_EQ("no detector 1.2.3.4 on the bench at " + scratch.root().string(),
              ErrorOf([&] { store.resolve("1.2.3.4"); }));
}

TEST(BenchStoreTest, RemoveTakesTheDetectorAndTurnsItsModuleAway) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    store.remove("6080QL");
    EXPECT_FALSE(store.find("6080QL"));
    ASSERT_EQ(1u, store.modules().size());
    EXPECT_EQ("", store.modules()[0].detector);
    EXPECT_EQ("no detector 6080QL on the bench at " + scratch.root().string(),
              ErrorOf([&] { store.remove("6080QL"); }));
    // No leftovers of the removal.
    std::size_t entries = 0;
    for (fs::directory_iterator it(scratch.root() / "detectors"), end; it != end; ++it) {
        ++entries;
    }
    EXPECT_EQ(6u, entries);
}

TEST(BenchStoreTest, RemoveWaitsForTheRunThatHoldsTheDetector) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const auto held = store.open("7180");
    EXPECT_EQ("detector 7180 is in use by another run: gave up after 100 ms",
              ErrorOf([&] { store.remove("7180", std::chrono::milliseconds(100)); }));
    EXPECT_TRUE(store.find("7180"));
}

TEST(BenchStoreTest, ModulesArePluggedOnPortsFacingAnInfraredDetector) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    store.plug("/dev/ttyUSB0", "6080MV");
    store.plug("COM7", "");
    EXPECT_EQ("6080MV", store.module("/dev/ttyUSB0")->detector);
    EXPECT_EQ("", store.module("COM7")->detector);
    EXPECT_EQ("a 7380 has no infrared window", ErrorOf([&] { store.plug("COM8", "7380"); }));
    EXPECT_EQ("detector 6080QL already faces the module on COM3",
              ErrorOf([&] { store.plug("COM8", "6080QL"); }));
    EXPECT_EQ("no detector 9999 on the bench at " + scratch.root().string(),
              ErrorOf([&] { store.plug("COM8", "9999"); }));
    store.plug("COM3", "4050QL"); // turned to another detector
    EXPECT_EQ("4050QL", store.module("COM3")->detector);
    store.unplug("COM7");
    EXPECT_FALSE(store.module("COM7"));
    EXPECT_EQ("no infrared module is plugged on COM7", ErrorOf([&] { store.unplug("COM7"); }));
    EXPECT_EQ(2u, store.modules().size());
}

// A name that is not UTF-8 is stored as its bytes: the module is reached and
// unplugged by the very name it was plugged with, and a detector whose id
// holds such bytes stays whole after its next change.
TEST(BenchStoreTest, NamesThatAreNotUtf8AreKeptAsTheirBytes) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    store.plug("COM\xE9", "6080MV");
    ASSERT_TRUE(BenchStore(scratch.root()).module("COM\xE9"));
    EXPECT_EQ("6080MV", store.module("COM\xE9")->detector);
    EXPECT_FALSE(store.module("COM\\xE9"));
    store.unplug("COM\xE9");
    EXPECT_FALSE(store.module("COM\xE9"));

    const std::string id = "7380\xC1\x95";
    testing::AddByHand(scratch.root(), "7380", id, "10.0.37.150", "COM\xE9\x01", id);
    store.open(id)->setHostName("WORKSTATION");
    const auto changed = store.find(id);
    ASSERT_TRUE(changed);
    EXPECT_EQ(id, changed->id);
    EXPECT_EQ("WORKSTATION", changed->hostName);
    EXPECT_EQ(id, store.module("COM\xE9\x01")->detector);
}

// init checks for a bench under the bench's lock: of inits started at the
// same moment, one sets the bench up and the others find it there.
TEST(BenchStoreTest, InitsAtTheSameMomentSetUpOneBench) {
    const int Rounds = 20;
    const int Inits = 6;
    for (int round = 0; round < Rounds; ++round) {
        testing::ScratchBench scratch;
        std::promise<void> go;
        const std::shared_future<void> start = go.get_future().share();
        std::vector<std::future<std::string>> inits;
        for (int i = 0; i < Inits; ++i) {
            inits.push_back(std::async(std::launch::async, [&scratch, start] {
                start.wait();
                return ErrorOf([&] { BenchStore(scratch.root()).init(false); });
            }));
        }
        go.set_value();
        int done = 0;
        for (auto& init : inits) {
            const std::string error = init.get();
            if (error == "no error") {
                ++done;
            } else {
                EXPECT_EQ("a bench already exists at " + scratch.root().string() +
                              ": velkor-bench init --force replaces it",
                          error);
            }
        }
        ASSERT_EQ(1, done) << "round " << round;
        EXPECT_EQ(7u, BenchStore(scratch.root()).detectors().size());
    }
}

// What killed writes left behind (the password in a detector's) goes with
// the next structural command, except beside a detector a run holds: that
// run's next change removes it.
TEST(BenchStoreTest, AStructuralCommandRemovesWhatKilledWritesLeft) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const fs::path left = scratch.root() / ".bench.json.tmp-Ab12Cd";
    const fs::path detectorLeft =
        testing::FolderOfDetector(store.root(), "7380") / ".detector.json.tmp-Ab12Cd";
    const fs::path heldLeft =
        testing::FolderOfDetector(store.root(), "6080MV") / ".detector.json.tmp-Ab12Cd";
    const fs::path other = scratch.root() / "notes.txt";
    for (const fs::path& file : {left, detectorLeft, heldLeft, other}) {
        atomic_file::WriteText(file, "{\"password\":\"secret-1\"}");
    }
    const auto held = store.open("6080MV");
    store.plug("COM9", "");
    EXPECT_FALSE(fs::exists(left));
    EXPECT_FALSE(fs::exists(detectorLeft));
    EXPECT_TRUE(fs::exists(heldLeft));
    EXPECT_TRUE(fs::exists(other));
    held->setHostName("WORKSTATION");
    EXPECT_FALSE(fs::exists(heldLeft));
}

struct Damage {
    const char* name;
    std::function<void(const fs::path& folder)> apply;
    std::string reason; // after "detector 7380 is damaged: "
};

std::vector<Damage> Damages() {
    const auto write = [](const std::string& text) {
        return [text](const fs::path& folder) {
            fs::remove(folder / "detector.json");
            std::ofstream(fs::path(folder / "detector.json").string()) << text;
        };
    };
    return {
        {"deep brackets", write(std::string(200000, '[')),
         "malformed detector.json: nested deeper than 8 levels"},
        {"garbage", write("not json"),
         "malformed detector.json: <unspecified file>(1): expected 'null'"},
        {"another detector's state",
         [](const fs::path& folder) {
             for (fs::directory_iterator it(folder.parent_path()), end; it != end; ++it) {
                 if (it->path().filename().string().compare(0, 5, "7180.") == 0) {
                     fs::remove(folder / "detector.json");
                     fs::copy_file(it->path() / "detector.json", folder / "detector.json");
                 }
             }
         },
         "detector.json holds detector 7180"},
        {"missing", [](const fs::path& folder) { fs::remove(folder / "detector.json"); },
         "detector.json is missing"},
        {"a folder in its place",
         [](const fs::path& folder) {
             fs::remove(folder / "detector.json");
             fs::create_directories(folder / "detector.json" / "x");
         },
         ""},
#ifndef _WIN32
        // Windows keeps no named pipes among files.
        {"a pipe in its place",
         [](const fs::path& folder) {
             fs::remove(folder / "detector.json");
             ASSERT_EQ(0, ::mkfifo((folder / "detector.json").c_str(), 0600));
         },
         ""},
#endif
        {"too large", write("{" + std::string(2 * 1024 * 1024, ' ') + "}"), ""},
    };
}

// One damaged detector is named with its reason; every other one works.
TEST(BenchStoreTest, ADamagedDetectorLeavesTheOthersUsable) {
    for (const Damage& damage : Damages()) {
        SCOPED_TRACE(damage.name);
        testing::ScratchBench scratch;
        BenchStore store(scratch.root());
        store.init(false);
        damage.apply(testing::FolderOfDetector(store.root(), "7380"));

        const std::vector<DetectorEntry> entries = store.survey();
        ASSERT_EQ(7u, entries.size());
        const DetectorEntry& damaged = entries[5];
        EXPECT_EQ("7380", damaged.id);
        EXPECT_FALSE(damaged.state);
        EXPECT_FALSE(damaged.damage.empty());
        if (!damage.reason.empty()) {
            EXPECT_EQ(damage.reason, damaged.damage);
        }
        EXPECT_EQ(6u, store.detectors().size());
        const std::string expected = "detector 7380 is damaged: " + damaged.damage;
        EXPECT_EQ(expected, ErrorOf([&] { store.open("7380"); }));
        EXPECT_EQ(expected, ErrorOf([&] { store.find("7380"); }));
        EXPECT_EQ("7380", store.resolve("7380"));
        EXPECT_EQ("7180", store.resolve("10.0.37.130"));
        EXPECT_EQ("no detector 192.168.37.130 on the bench at " + scratch.root().string() +
                      " (damaged, so not searched: 7380)",
                  ErrorOf([&] { store.resolve("192.168.37.130"); }));
        store.open("7180")->reboot();
        store.add(*BenchModel::Find("7380"), "192.168.37.140", boost::none, boost::none);

        store.remove("7380");
        EXPECT_EQ(7u, store.detectors().size());
        EXPECT_EQ(7u, store.survey().size());
    }
}

TEST(BenchStoreTest, InitForceReplacesADamagedOrUnreadableBench) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    Damages().front().apply(testing::FolderOfDetector(store.root(), "6080K"));
    store.init(true);
    EXPECT_EQ(7u, store.detectors().size());

    std::ofstream(fs::path(scratch.root() / "bench.json").string()) << "[[[";
    EXPECT_EQ("the bench at " + scratch.root().string() +
                  " cannot be read (bench.json: <unspecified file>(1): expected value): "
                  "velkor-bench init --force sets up a new one",
              ErrorOf([&] { store.survey(); }));
    store.init(true);
    EXPECT_EQ(7u, store.detectors().size());
    // Nothing of the replaced benches is left behind.
    EXPECT_EQ(7, std::distance(fs::directory_iterator(scratch.root() / "detectors"),
                               fs::directory_iterator()));
}

// A bench set up by an earlier velkor-bench is refused with what to do.
TEST(BenchStoreTest, ABenchOfTheEarlierLayoutIsRefusedClearly) {
    testing::ScratchBench scratch;
    fs::create_directories(scratch.root() / "detectors" / "7380");
    std::ofstream(fs::path(scratch.root() / "bench.json").string())
        << R"({"format":1,"modules":[]})";
    BenchStore store(scratch.root());
    EXPECT_EQ("the bench at " + scratch.root().string() +
                  " cannot be read (bench.json: it was set up by an earlier velkor-bench (format "
                  "1)): velkor-bench init --force sets up a new one",
              ErrorOf([&] { store.detectors(); }));
    store.init(true);
    EXPECT_EQ(7u, store.detectors().size());
}

} // namespace
} // namespace bench
} // namespace velkor
