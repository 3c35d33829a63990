#include "detector/6080k/vk6080k_ip_manager.h"
#include "detector/detector_parameter.h"
#include "detector/testing/family_checks.h"
#include "detector/testing/sample_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using detector_testing::DetectorWith;
using detector_testing::ExpectManagers;
using detector_testing::ExpectNamesAndOptions;
namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using ::testing::ElementsAre;

using Vk6080KIpManagerTest = detector_testing::FileIpManagerTest<Vk6080KIpManager::IpManager, 68>;

TEST(Vk6080KIpManagerFamilyTest, NamesOptionsAndManagers) {
    Vk6080KIpManager family;
    EXPECT_TRUE(family.IsConnectedByCable());
    ExpectNamesAndOptions(family, "AcqEth", "Vk6080K", "10.0.0.2", "192.168.0.10",
                          {{"detector.path", "10.0.0.2:40000"}});

    DetectorParameter parameter;
    family.FillDetectorParameter(parameter);
    EXPECT_EQ(parameter.getName(), "NotUsed");
    EXPECT_EQ(parameter.getModes().count(1), 1u);

    family.Init(DetectorWith({"file"}));
    ExpectManagers(family, true, false, false);
}

TEST_F(Vk6080KIpManagerTest, UnchangedFileIsWrittenBackByteForByte) {
    const Bytes original = sample_files::Interface({192, 168, 1, 10});
    Read(original);
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.1.10");
    EXPECT_THAT(log.Messages('I'), ElementsAre("Detector IP address : 192.168.1.10"));
    EXPECT_EQ(Write(), original);
}

TEST_F(Vk6080KIpManagerTest, NewAddressGoesToBytes64To67AndNothingElseChanges) {
    const Bytes original = sample_files::Interface({192, 168, 1, 10});
    Read(original);
    manager.SetHostIPAddress("10.0.0.1");
    manager.SetDetectorIPAddress("10.0.0.2");
    EXPECT_EQ(manager.GetDetectorIPAddress(), "10.0.0.2");

    const Bytes written = Write();
    Bytes expected = original;
    expected[64] = 10;
    expected[65] = 0;
    expected[66] = 0;
    expected[67] = 2;
    EXPECT_EQ(written, expected);
}

TEST_F(Vk6080KIpManagerTest, BytesAfterTheStructureAreWrittenBackUnchanged) {
    Bytes original = sample_files::Interface({192, 168, 1, 10});
    original.insert(original.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    Read(original);
    manager.SetDetectorIPAddress("10.0.0.2");

    const Bytes written = Write();
    ASSERT_EQ(written.size(), 72u);
    EXPECT_EQ(Bytes(written.begin() + 64, written.end()),
              (Bytes{10, 0, 0, 2, 0xDE, 0xAD, 0xBE, 0xEF}));
}

TEST_F(Vk6080KIpManagerTest, RefusedAddressChangesNothingAndWriteConfigWritesNothing) {
    for (const char* text : {"10.0..2", "1.2.3", "1.2.3.4.5", "10.0.0.256", ""}) {
        log.Clear();
        Read(sample_files::Interface({192, 168, 1, 10}));
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
    Read(sample_files::Interface({192, 168, 1, 10}));
    EXPECT_EQ(manager.GetHostIPAddress(), "--.--.--.--");
    manager.SetHostIPAddress("10.0.0.1");
    EXPECT_EQ(manager.GetHostIPAddress(), "--.--.--.--");
}

TEST_F(Vk6080KIpManagerTest, FortyByteFileFailsWithTheDecodeMessage) {
    Bytes shortFile = sample_files::Interface({192, 168, 1, 10});
    shortFile.resize(40);
    ExpectUndecodable(shortFile, "Vk6080KIpManager::_ReadRDXPFile - Unable to decode "
                                 "InterfaceFile structure : ");
}

TEST_F(Vk6080KIpManagerTest, FailedReadKeepsThePreviousFile) {
    Read(sample_files::Interface({192, 168, 1, 10}));
    Bytes shortFile = sample_files::Interface({1, 2, 3, 4});
    shortFile.resize(66);
    Offer(shortFile);
    EXPECT_THROW(manager.ReadConfig(), mirl::tools::archive_exception);
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.1.10");
}

TEST_F(Vk6080KIpManagerTest, FailedFirstReadLeavesNothingToWrite) {
    Bytes shortFile = sample_files::Interface({192, 168, 1, 10});
    shortFile.resize(66);
    ExpectFailedFirstReadsArmNothing({Bytes(), shortFile});
}

TEST_F(Vk6080KIpManagerTest, EmptyFileThrowsOutOfRange) {
    Offer(Bytes());
    EXPECT_THROW(manager.ReadConfig(), std::out_of_range);
}

TEST_F(Vk6080KIpManagerTest, WriteBeforeAnyReadWritesNothing) {
    EXPECT_FALSE(manager.WriteConfig());
}

} // namespace
