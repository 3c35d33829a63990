#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/store/detector_files.h"
#include "bench/store/detector_session.h"
#include "bench/testing/scratch_bench.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;
using std::chrono::milliseconds;

class DetectorSessionTest : public ::testing::Test {
protected:
    void SetUp() override { store.init(false); }

    std::unique_ptr<DetectorSession> open(const std::string& id) {
        return store.open(id, milliseconds(200));
    }

    testing::ScratchBench scratch;
    BenchStore store{scratch.root()};
};

TEST_F(DetectorSessionTest, RegisterFileFamiliesAnswerAtTheOldAddressUntilRebooted) {
    auto session = open("7380");
    Bytes file = session->readFile(206);
    file[82] = 10; // value of register 0x40: detector address 192.168.37.10
    file.back() = detector_files::Xor(file, file.size() - 1);
    session->writeFile(206, file);
    EXPECT_EQ("192.168.37.130", session->state().address);
    EXPECT_TRUE(session->state().pendingReboot);
    EXPECT_EQ(file, session->readFile(206));
    session.reset();

    EXPECT_EQ("192.168.37.130", store.find("7380")->address);
    open("7380")->reboot();
    const DetectorState rebooted = *store.find("7380");
    EXPECT_EQ("192.168.37.10", rebooted.address);
    EXPECT_FALSE(rebooted.pendingReboot);
}

TEST_F(DetectorSessionTest, The6080KTakesTheAddressOfItsInterfaceFileOnReboot) {
    auto session = open("6080K");
    session->writeFile(68, detector_files::MakeInterfaceFile({10, 0, 0, 66}));
    EXPECT_EQ("192.168.0.2", session->state().address);
    session->applyNetworkConfig(); // no effect on a file-addressed detector
    EXPECT_EQ("192.168.0.2", session->state().address);
    session->reboot();
    EXPECT_EQ("10.0.0.66", session->state().address);
}

// A write killed before its rename leaves its temporary file (the password
// in it): the detector's next change removes it, and only it.
TEST_F(DetectorSessionTest, TheNextChangeRemovesWhatKilledWritesLeft) {
    auto session = open("6080QL");
    const fs::path left = session->folder() / ".detector.json.tmp-Ab12Cd";
    const fs::path kept = session->folder() / "notes.txt";
    for (const fs::path& file : {left, kept}) {
        atomic_file::WriteText(file, "{\"password\":\"secret-1\"}");
    }
    session->setHostName("WORKSTATION");
    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(kept));
}

TEST_F(DetectorSessionTest, ARefusedOrFailedFileWriteLeavesTheOldBytes) {
    auto session = open("7180");
    const Bytes before = session->readFile(206);
    Bytes stale = before;
    stale[82] = 99; // content changed, checksum not
    EXPECT_THROW(session->writeFile(206, stale), BenchError);
    EXPECT_THROW(session->writeFile(68, before), BenchError);
    session->setFault("fail-write", true);
    Bytes good = stale;
    good.back() = detector_files::Xor(good, good.size() - 1);
    try {
        session->writeFile(206, good);
        FAIL() << "fail-write let the write through";
    } catch (const BenchError& error) {
        EXPECT_STREQ("the detector failed to store file 206 (fault fail-write)", error.what());
    }
    EXPECT_EQ(before, session->readFile(206));
    EXPECT_FALSE(session->state().pendingReboot);
    EXPECT_EQ(before, DetectorSession::Load(session->folder()).file);
}

TEST_F(DetectorSessionTest, NetworkConfiguredFamiliesTakeNewAddressesWhenApplied) {
    auto session = open("6080QL");
    std::string refusal;
    ASSERT_TRUE(session->writeAddresses("192.168.1.30", 7, "192.168.1.2/24", 2073, 6028, refusal))
        << refusal;
    EXPECT_EQ("192.168.1.20", session->state().address);
    EXPECT_TRUE(session->state().pendingApply);
    EXPECT_TRUE(session->applyNetworkConfig());
    const DetectorState& state = session->state();
    EXPECT_EQ("192.168.1.30", state.address);
    EXPECT_EQ("192.168.1.30", state.storedAddress);
    EXPECT_EQ(7, state.detectorValue);
    EXPECT_EQ("192.168.1.2/24", state.hostAddress);
    EXPECT_EQ(2073, state.commandPort);
    EXPECT_EQ(6028, state.imagePort);
    EXPECT_EQ(1u, state.applyNetworkConfigCalls);
    EXPECT_FALSE(session->applyNetworkConfig());
    EXPECT_EQ(2u, session->state().applyNetworkConfigCalls);
}

TEST_F(DetectorSessionTest, RefusedAddressesAreNotStored) {
    struct Case {
        const char* detector;
        const char* host;
        std::uint16_t port;
        const char* fault;
        const char* refusal;
    };
    const Case cases[] = {
        {"10.0.0.30", "10.0.0.1/16", 2073, "refuse-write",
         "the detector refuses to store addresses (fault refuse-write)"},
        {"10.0.0", "10.0.0.1/16", 2073, nullptr,
         "detector address \"10.0.0\" is not a dotted address"},
        {"10.0.0.30", "10.0.0.1", 2073, nullptr,
         "host address \"10.0.0.1\" is not an address with a prefix length"},
        {"10.0.0.30", "10.0.0.1/16", 0, nullptr, "port 0 cannot carry commands or images"},
    };
    for (const Case& c : cases) {
        auto session = open("7380TW");
        if (c.fault) {
            session->setFault(c.fault, true);
        }
        std::string refusal;
        EXPECT_FALSE(session->writeAddresses(c.detector, 1, c.host, c.port, 6000, refusal));
        EXPECT_EQ(c.refusal, refusal);
        EXPECT_FALSE(session->state().pendingApply);
        if (c.fault) {
            session->setFault(c.fault, false);
        }
        session.reset();
        const DetectorState stored = *store.find("7380TW");
        EXPECT_EQ("10.0.0.20", stored.storedAddress);
        EXPECT_EQ("10.0.0.1/16", stored.hostAddress);
    }
    auto session = open("7380TW");
    session->setFault("fail-write", true);
    std::string refusal;
    EXPECT_THROW(session->writeAddresses("10.0.0.30", 1, "10.0.0.1/16", 1, 1, refusal), BenchError);
    EXPECT_EQ("10.0.0.20", session->state().storedAddress);
}

TEST_F(DetectorSessionTest, SsidAndPasswordAreCheckedAndThePasswordKeptApart) {
    auto session = open("6080MV");
    EXPECT_FALSE(session->passwordSet());
    EXPECT_THROW(session->writeSsidAndPassword("", "long-enough"), BenchError);
    EXPECT_THROW(session->writeSsidAndPassword(std::string(33, 's'), "long-enough"), BenchError);
    try {
        session->writeSsidAndPassword("NEW", "short");
        FAIL() << "a 5-character password was taken";
    } catch (const BenchError& error) {
        EXPECT_EQ(std::string::npos, std::string(error.what()).find("short"));
    }
    EXPECT_THROW(session->writeSsidAndPassword("NEW", std::string(64, 'p')), BenchError);
    EXPECT_EQ("VK-6080MV", session->state().ssid);
    EXPECT_FALSE(session->passwordSet());

    session->writeSsidAndPassword("WARD-7", "s3cret-pass");
    EXPECT_EQ("WARD-7", session->state().ssid);
    EXPECT_TRUE(session->passwordMatches("s3cret-pass"));
    EXPECT_FALSE(session->passwordMatches("s3cret-pas"));
    // Stored with the rest of the detector, in a file only its owner reads
    // (a POSIX mode; on Windows the bench lives in the user's own profile).
    const fs::path stored = session->folder() / DetectorSession::RecordFileName;
#ifndef _WIN32
    EXPECT_EQ(fs::owner_read | fs::owner_write, fs::status(stored).permissions());
#endif
    const DetectorRecord record = DetectorSession::Load(session->folder());
    EXPECT_EQ("WARD-7", record.state.ssid);
    EXPECT_EQ(std::string("s3cret-pass"), *record.password);
}

TEST_F(DetectorSessionTest, TheUserConfigurationKeepsItsOtherSettings) {
    auto session = open("4050QL");
    boost::property_tree::ptree document = session->loadUserConfig();
    EXPECT_EQ("01", document.get<std::string>("ucf.wifi_enable"));
    EXPECT_EQ(true, *session->wifiSwitch());
    document.put("ucf.wifi_enable", "00");
    session->saveUserConfig(document);
    EXPECT_EQ(false, *session->wifiSwitch());
    EXPECT_EQ("06", session->loadUserConfig().get<std::string>("ucf.wifi_channel"));
    session->applyUserConfig(false);
    EXPECT_EQ(1u, session->state().applyUserConfigCalls);
    EXPECT_EQ(false, *session->state().lastUserConfigOverCable);

    boost::property_tree::ptree noRoot;
    noRoot.put("wifi_enable", "01");
    EXPECT_THROW(session->saveUserConfig(noRoot), BenchError);
    boost::property_tree::ptree badValue = document;
    badValue.put("ucf.wifi_enable", "true");
    EXPECT_THROW(session->saveUserConfig(badValue), BenchError);
    session->setFault("fail-write", true);
    document.put("ucf.wifi_enable", "01");
    EXPECT_THROW(session->saveUserConfig(document), BenchError);
    EXPECT_EQ(false, *session->wifiSwitch());
}

TEST_F(DetectorSessionTest, InfraredWritesTakeEffectAtOnce) {
    auto session = open("6080QL");
    session->writeAddressesNow("192.168.1.40", "192.168.1.1/24");
    EXPECT_EQ("192.168.1.40", session->state().address);
    EXPECT_FALSE(session->state().pendingApply);
    EXPECT_THROW(session->writeAddressesNow("192.168.1.41", "192.168.1.1"), BenchError);
    EXPECT_EQ("192.168.1.40", session->state().address);
}

TEST_F(DetectorSessionTest, FaultsAndLinksAreCheckedAgainstTheModel) {
    auto k = open("6080K");
    EXPECT_THROW(k->setFault("missing:wifi", true), BenchError);
    EXPECT_THROW(k->setFault("broken", true), BenchError);
    EXPECT_THROW(k->setLink(Link::Wifi), BenchError);
    k->setFault("missing:file", true);
    k->setFault("offline", true);
    EXPECT_EQ((std::set<std::string>{"missing:file", "offline"}), k->state().faults);
    k->setFault("offline", false);
    EXPECT_EQ((std::set<std::string>{"missing:file"}), k->state().faults);
    k.reset();
    EXPECT_EQ((std::set<std::string>{"missing:file"}), store.find("6080K")->faults);

    auto ql = open("6080QL");
    ql->setLink(Link::Wifi);
    EXPECT_EQ(Link::Wifi, ql->state().link);
    EXPECT_THROW(ql->readFile(68), BenchError);
}

TEST_F(DetectorSessionTest, ADetectorIsHeldByOneSessionAtATime) {
    auto first = open("7380");
    try {
        open("7380");
        FAIL() << "a second session was granted";
    } catch (const BenchError& error) {
        EXPECT_STREQ("detector 7380 is in use by another run: gave up after 200 ms", error.what());
    }
    EXPECT_NO_THROW(open("7180"));
    first.reset();
    EXPECT_NO_THROW(open("7380"));
}

} // namespace
} // namespace bench
} // namespace velkor
