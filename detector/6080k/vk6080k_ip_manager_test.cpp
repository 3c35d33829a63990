#include "detector/6080k/vk6080k_ip_manager.h"
#include "detector/detector_parameter.h"
#include "detector/testing/family_checks.h"
#include "detector/testing/sample_files.h"
#include "platform/acquisition/testing/mock_detector.h"
#include "platform/acquisition/testing/mock_extensions.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/make_shared.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using acquisition_testing::MockDetector;
using acquisition_testing::MockFileIface;
using detector_testing::ExpectNamesAndOptions;
using detector_testing::SampleFiles;
using mirl::acquisition::Bytes;
using ::testing::_;
using ::testing::DoAll;
using ::testing::ElementsAre;
using ::testing::NiceMock;
using ::testing::SaveArg;
using ::testing::SetArgReferee;
using ::testing::StrictMock;
using tools_testing::LogCapture;

class Vk6080KIpManagerTest : public ::testing::Test {
protected:
    void Read(const Bytes& bytes) {
        EXPECT_CALL(*file, readFile(68, _)).WillOnce(SetArgReferee<1>(bytes));
        manager.ReadConfig();
    }

    boost::shared_ptr<StrictMock<MockFileIface>> file =
        boost::make_shared<StrictMock<MockFileIface>>();
    Vk6080KIpManager::IpManager manager{file};
    LogCapture log;
};

TEST(Vk6080KIpManagerFamilyTest, NamesOptionsAndManagers) {
    Vk6080KIpManager family;
    EXPECT_TRUE(family.IsConnectedByCable());
    ExpectNamesAndOptions(family, "AcqEth", "Vk6080K", "10.0.0.2", "192.168.0.10",
                          {{"detector.path", "10.0.0.2:40000"}});

    DetectorParameter parameter;
    family.FillDetectorParameter(parameter);
    EXPECT_EQ(parameter.getName(), "NotUsed");
    EXPECT_EQ(parameter.getModes().count(1), 1u);

    auto detector = boost::make_shared<NiceMock<MockDetector>>();
    detector->extensions["file"] = boost::shared_ptr<mirl::acquisition::FileIface>(
        boost::make_shared<NiceMock<MockFileIface>>());
    family.Init(detector);
    EXPECT_TRUE(family.GetIpManager());
    EXPECT_FALSE(family.GetSSIDManager());
    EXPECT_FALSE(family.GetWifiManager());
}

TEST(Vk6080KIpManagerFamilyTest, InitWithoutFileExtensionLogsAndThrows) {
    LogCapture log;
    Vk6080KIpManager family;
    auto detector = boost::make_shared<NiceMock<MockDetector>>();
    EXPECT_THROW(family.Init(detector), std::exception);
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("Vk6080KIpManager::Init - impossible to retrieve detector's file "
                            "extension"));
    EXPECT_FALSE(family.GetIpManager());
}

TEST(Vk6080KIpManagerFamilyTest, InitWithFileExtensionOfWrongTypeThrowsBadCast) {
    Vk6080KIpManager family;
    auto detector = boost::make_shared<NiceMock<MockDetector>>();
    detector->extensions["file"] = std::string("not an extension");
    EXPECT_THROW(family.Init(detector), boost::bad_any_cast);
}

TEST_F(Vk6080KIpManagerTest, UnchangedFileIsWrittenBackByteForByte) {
    const Bytes original = SampleFiles::Interface({192, 168, 1, 10});
    Read(original);
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.1.10");
    EXPECT_THAT(log.Messages('I'), ElementsAre("Detector IP address : 192.168.1.10"));

    Bytes written;
    EXPECT_CALL(*file, writeFile(68, _)).WillOnce(SaveArg<1>(&written));
    EXPECT_TRUE(manager.WriteConfig());
    EXPECT_EQ(written, original);
}

TEST_F(Vk6080KIpManagerTest, NewAddressGoesToBytes64To67AndNothingElseChanges) {
    const Bytes original = SampleFiles::Interface({192, 168, 1, 10});
    Read(original);
    manager.SetHostIPAddress("10.0.0.1");
    manager.SetDetectorIPAddress("10.0.0.2");
    EXPECT_EQ(manager.GetDetectorIPAddress(), "10.0.0.2");

    Bytes written;
    EXPECT_CALL(*file, writeFile(68, _)).WillOnce(SaveArg<1>(&written));
    EXPECT_TRUE(manager.WriteConfig());
    Bytes expected = original;
    expected[64] = 10;
    expected[65] = 0;
    expected[66] = 0;
    expected[67] = 2;
    EXPECT_EQ(written, expected);
}

TEST_F(Vk6080KIpManagerTest, BytesAfterTheStructureAreWrittenBackUnchanged) {
    Bytes original = SampleFiles::Interface({192, 168, 1, 10});
    original.insert(original.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    Read(original);
    manager.SetDetectorIPAddress("10.0.0.2");

    Bytes written;
    EXPECT_CALL(*file, writeFile(68, _)).WillOnce(SaveArg<1>(&written));
    EXPECT_TRUE(manager.WriteConfig());
    ASSERT_EQ(written.size(), 72u);
    EXPECT_EQ(Bytes(written.begin() + 64, written.end()),
              (Bytes{10, 0, 0, 2, 0xDE, 0xAD, 0xBE, 0xEF}));
}

TEST_F(Vk6080KIpManagerTest, RefusedAddressChangesNothingAndWriteConfigWritesNothing) {
    for (const char* text : {"10.0..2", "1.2.3", "1.2.3.4.5", "10.0.0.256", ""}) {
        log.Clear();
        Read(SampleFiles::Interface({192, 168, 1, 10}));
        manager.SetDetectorIPAddress(text);
        EXPECT_THAT(log.Messages('E'),
                    ElementsAre(std::string("Vk6080KIpManager::SetDetectorIPAddress - invalid IP "
                                            "address ") +
                                text))
            << text;
        EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.1.10") << text;
        // writeFile is a strict mock: any call fails the test.
        EXPECT_FALSE(manager.WriteConfig()) << text;
    }
}

TEST_F(Vk6080KIpManagerTest, HostAddressIsNeverStored) {
    Read(SampleFiles::Interface({192, 168, 1, 10}));
    EXPECT_EQ(manager.GetHostIPAddress(), "--.--.--.--");
    manager.SetHostIPAddress("10.0.0.1");
    EXPECT_EQ(manager.GetHostIPAddress(), "--.--.--.--");
}

TEST_F(Vk6080KIpManagerTest, FortyByteFileFailsWithTheDecodeMessage) {
    Bytes shortFile = SampleFiles::Interface({192, 168, 1, 10});
    shortFile.resize(40);
    EXPECT_CALL(*file, readFile(68, _)).WillOnce(SetArgReferee<1>(shortFile));
    try {
        manager.ReadConfig();
        FAIL() << "a 40-byte file must not decode";
    } catch (const mirl::tools::archive_exception& e) {
        EXPECT_THAT(log.Messages('E'),
                    ElementsAre(std::string("Vk6080KIpManager::_ReadRDXPFile - Unable to decode "
                                            "InterfaceFile structure : ") +
                                e.what()));
    }
}

TEST_F(Vk6080KIpManagerTest, FailedReadKeepsThePreviousFile) {
    Read(SampleFiles::Interface({192, 168, 1, 10}));
    Bytes shortFile = SampleFiles::Interface({1, 2, 3, 4});
    shortFile.resize(66);
    EXPECT_CALL(*file, readFile(68, _)).WillOnce(SetArgReferee<1>(shortFile));
    EXPECT_THROW(manager.ReadConfig(), mirl::tools::archive_exception);
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.1.10");
}

TEST_F(Vk6080KIpManagerTest, EmptyFileThrowsOutOfRange) {
    EXPECT_CALL(*file, readFile(68, _)).WillOnce(SetArgReferee<1>(Bytes()));
    EXPECT_THROW(manager.ReadConfig(), std::out_of_range);
}

TEST_F(Vk6080KIpManagerTest, WriteBeforeAnyReadWritesNothing) {
    EXPECT_FALSE(manager.WriteConfig());
}

} // namespace
