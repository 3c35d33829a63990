#pragma once

#include "platform/acquisition/config_parser.h"
#include "platform/acquisition/extensions.h"
#include "platform/acquisition/testing/mock_detector.h"
#include "platform/acquisition/testing/mock_extensions.h"
#include "platform/tools/portable_binary_archive.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace detector_testing {

using OptionPairs = std::vector<std::pair<std::string, std::string>>;

// The board and detector names a family gives, and the single "hardware" group it fills
// for the two addresses: option names and values, in their order, all with id 0 and no flag.
template <typename Family>
void ExpectNamesAndOptions(Family& family, const std::string& board, const std::string& detector,
                           const std::string& address, const std::string& peer,
                           const OptionPairs& expected) {
    EXPECT_EQ(family.GetBoardName(), board);
    EXPECT_EQ(family.GetDetectorName(), detector);
    mirl::acquisition::OptionGroups groups;
    family.FillOptions(groups, address, peer);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].name, "hardware");
    EXPECT_EQ(groups[0].id, 0);
    OptionPairs options;
    for (const auto& option : groups[0].options) {
        options.emplace_back(option.name, option.value);
        EXPECT_EQ(option.id, 0) << option.name;
        EXPECT_FALSE(option.flag) << option.name;
    }
    EXPECT_EQ(options, expected);
}

// Which of its three managers a family holds.
template <typename Family> void ExpectManagers(Family& family, bool ip, bool ssid, bool wifi) {
    EXPECT_EQ(static_cast<bool>(family.GetIpManager()), ip);
    EXPECT_EQ(static_cast<bool>(family.GetSSIDManager()), ssid);
    EXPECT_EQ(static_cast<bool>(family.GetWifiManager()), wifi);
}

// A detector mock whose extensions map holds a nice mock under each name given:
// "file", "connection" or "network_configuration". getWifi() is left to the
// test and to `Detector`: a strict one fails the test if Init asks for it.
template <typename Detector = ::testing::NiceMock<acquisition_testing::MockDetector>>
boost::shared_ptr<Detector> DetectorWith(const std::vector<std::string>& extensions) {
    using ::testing::NiceMock;
    const auto detector = boost::make_shared<Detector>();
    for (const std::string& name : extensions) {
        if (name == "file") {
            detector->extensions[name] = boost::shared_ptr<mirl::acquisition::FileIface>(
                boost::make_shared<NiceMock<acquisition_testing::MockFileIface>>());
        } else if (name == "connection") {
            detector->extensions[name] = boost::shared_ptr<mirl::acquisition::ConnectionIface>(
                boost::make_shared<NiceMock<acquisition_testing::MockConnectionIface>>());
        } else if (name == "network_configuration") {
            detector->extensions[name] = boost::shared_ptr<mirl::acquisition::NetworkConfigIface>(
                boost::make_shared<NiceMock<acquisition_testing::MockNetworkConfigIface>>());
        } else {
            ADD_FAILURE() << "no mock for the extension " << name;
        }
    }
    return detector;
}

// Init on `detector` logs `line` alone, at error level, throws and leaves the
// family without any manager.
template <typename Family, typename Detector>
void ExpectInitFails(Family& family, const boost::shared_ptr<Detector>& detector,
                     const std::string& line) {
    tools_testing::LogCapture log;
    EXPECT_THROW(family.Init(detector), std::exception);
    EXPECT_THAT(log.Messages('E'), ::testing::ElementsAre(line));
    ExpectManagers(family, false, false, false);
}

// A family's IP manager that rewrites the numbered detector file `FileNumber`,
// over a strict mock of the file extension: a read or a write the test does
// not expect fails it.
template <typename IpManager, std::int32_t FileNumber>
class FileIpManagerTest : public ::testing::Test {
protected:
    // The next read of the file gives `bytes`.
    void Offer(const mirl::acquisition::Bytes& bytes) {
        EXPECT_CALL(*file, readFile(FileNumber, ::testing::_))
            .WillOnce(::testing::SetArgReferee<1>(bytes));
    }

    void Read(const mirl::acquisition::Bytes& bytes) {
        Offer(bytes);
        manager.ReadConfig();
    }

    // WriteConfig must write the file; gives back what it wrote.
    mirl::acquisition::Bytes Write() {
        mirl::acquisition::Bytes written;
        EXPECT_CALL(*file, writeFile(FileNumber, ::testing::_))
            .WillOnce(::testing::SaveArg<1>(&written));
        EXPECT_TRUE(manager.WriteConfig());
        return written;
    }

    // `bytes` cannot be decoded: ReadConfig throws the archive's error after
    // logging `message` followed by the error's text.
    void ExpectUndecodable(const mirl::acquisition::Bytes& bytes, const std::string& message) {
        Offer(bytes);
        try {
            manager.ReadConfig();
            FAIL() << "a " << bytes.size() << "-byte file must not decode";
        } catch (const mirl::tools::archive_exception& e) {
            EXPECT_THAT(log.Messages('E'), ::testing::ElementsAre(message + e.what()));
        }
    }

    // A first read of each of `files` fails; addresses set afterwards must
    // leave WriteConfig nothing to write (any writeFile call fails the test).
    void ExpectFailedFirstReadsArmNothing(const std::vector<mirl::acquisition::Bytes>& files) {
        for (const auto& bytes : files) {
            IpManager fresh{file};
            EXPECT_CALL(*file, readFile(FileNumber, ::testing::_))
                .WillOnce(::testing::SetArgReferee<1>(bytes));
            EXPECT_ANY_THROW(fresh.ReadConfig()) << bytes.size() << " bytes";
            fresh.SetHostIPAddress("10.0.37.133");
            fresh.SetDetectorIPAddress("10.0.37.132");
            EXPECT_FALSE(fresh.WriteConfig()) << bytes.size() << " bytes";
        }
    }

    boost::shared_ptr<::testing::StrictMock<acquisition_testing::MockFileIface>> file =
        boost::make_shared<::testing::StrictMock<acquisition_testing::MockFileIface>>();
    IpManager manager{file};
    tools_testing::LogCapture log;
};

// An SSID manager of a network family, over strict mocks of the two
// extensions it uses.
template <typename SSIDManager> class NetworkSsidManagerTest : public ::testing::Test {
protected:
    boost::shared_ptr<::testing::StrictMock<acquisition_testing::MockNetworkConfigIface>> network =
        boost::make_shared<::testing::StrictMock<acquisition_testing::MockNetworkConfigIface>>();
    boost::shared_ptr<::testing::StrictMock<acquisition_testing::MockWifiIface>> wifi =
        boost::make_shared<::testing::StrictMock<acquisition_testing::MockWifiIface>>();
    SSIDManager manager{network, wifi};
    tools_testing::LogCapture log;
};

} // namespace detector_testing
