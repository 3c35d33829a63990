#include "detector/7x80/vk7x80_ip_manager.h"
#include "detector/testing/family_checks.h"
#include "detector/testing/sample_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using detector_testing::DetectorWith;
using detector_testing::ExpectManagers;
using detector_testing::ExpectNamesAndOptions;
namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using ::testing::ElementsAre;

using Registers = std::vector<sample_files::Register>;

// Value of register `id` in an encoded file (the last record holding it).
int RegisterValue(const Bytes& bytes, std::uint16_t id) {
    int value = -1;
    for (std::size_t i = 0; i < bytes[64]; ++i) {
        const std::size_t at = 80 + 4 * i;
        if ((bytes[at] | (bytes[at + 1] << 8)) == id) {
            value = bytes[at + 2];
        }
    }
    return value;
}

using Vk7x80IpManagerTest = detector_testing::FileIpManagerTest<Vk7x80IpManager::IpManager, 206>;

TEST(Vk7x80IpManagerFamilyTest, NamesOptionsAndManagers) {
    Vk7x80IpManager family;
    EXPECT_TRUE(family.IsConnectedByCable());
    ExpectNamesAndOptions(family, "AcqRDXPv1", "Vk7180c", "192.168.37.130", "192.168.37.131",
                          {{"detector.path", "192.168.37.130:10001"},
                           {"local.command.port", "2046"},
                           {"local.image.port", "6001"},
                           {"protocol.traces.show", "no"},
                           {"protocol.statistics.show", "no"}});

    family.Init(DetectorWith({"file"}));
    ExpectManagers(family, true, false, false);
}

TEST_F(Vk7x80IpManagerTest, StoredFileDecodesAndReencodesToTheSameBytes) {
    Read(sample_files::StoredRdxp());
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.37.130");
    EXPECT_EQ(manager.GetHostIPAddress(), "192.168.37.131");
    EXPECT_THAT(log.Messages('I'), ElementsAre("Detector IP address : 192.168.37.130",
                                               "Host IP address : 192.168.37.131",
                                               "Host IP address : 192.168.37.131"));
    const Bytes written = Write();
    EXPECT_EQ(written, sample_files::StoredRdxp());
    EXPECT_EQ(written[152], 0xEC);
}

TEST_F(Vk7x80IpManagerTest, ReaddressingSetsTheRegistersAndAFreshChecksum) {
    Read(sample_files::StoredRdxp());
    manager.SetHostIPAddress("10.0.37.133");
    manager.SetDetectorIPAddress("10.1.2.3");
    EXPECT_EQ(manager.GetDetectorIPAddress(), "10.1.2.3");
    EXPECT_EQ(manager.GetHostIPAddress(), "10.0.37.133");

    const Bytes written = Write();
    ASSERT_EQ(written.size(), 153u);
    // Registers 0x40..0x43 are the first four records: 0x43 holds the first number.
    EXPECT_EQ(written[sample_files::RecordValueOffset(3)], 10);
    EXPECT_EQ(written[sample_files::RecordValueOffset(2)], 1);
    EXPECT_EQ(written[sample_files::RecordValueOffset(1)], 2);
    EXPECT_EQ(written[sample_files::RecordValueOffset(0)], 3);
    const std::uint8_t host[] = {10, 0, 37, 133};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(RegisterValue(written, 0x2F - i), host[i]);
        EXPECT_EQ(RegisterValue(written, 0x23 - i), host[i]);
    }
    // Ports are never touched.
    EXPECT_EQ(RegisterValue(written, 0x34), 0x11);
    EXPECT_EQ(RegisterValue(written, 0x35), 0x27);

    const Registers expectedRegisters = {
        {0x40, 3},   {0x41, 2},  {0x42, 1}, {0x43, 10}, {0x34, 0x11}, {0x35, 0x27},
        {0x2C, 133}, {0x2D, 37}, {0x2E, 0}, {0x2F, 10}, {0x30, 0xFE}, {0x31, 0x07},
        {0x20, 133}, {0x21, 37}, {0x22, 0}, {0x23, 10}, {0x24, 0x71}, {0x25, 0x17}};
    Bytes expected = sample_files::Rdxp(expectedRegisters);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written[152], sample_files::XorOf(written, 152));
}

TEST_F(Vk7x80IpManagerTest, WrongChecksumFailsTheReadAndNamesBothBytes) {
    Read(sample_files::StoredRdxp());
    const Registers damagedRegisters = {{0x40, 1}, {0x41, 2}, {0x42, 3}, {0x43, 4}, {0x34, 0},
                                        {0x35, 0}, {0x2C, 0}, {0x2D, 0}, {0x2E, 0}, {0x2F, 0},
                                        {0x30, 0}, {0x31, 0}, {0x20, 0}, {0x21, 0}, {0x22, 0},
                                        {0x23, 0}, {0x24, 0}, {0x25, 0}};
    Bytes damaged = sample_files::Rdxp(damagedRegisters);
    const std::uint8_t expected = damaged[152];
    damaged[152] ^= 0x01;
    Offer(damaged);
    log.Clear();
    EXPECT_THROW(manager.ReadConfig(), std::exception);

    char line[128];
    std::snprintf(line, sizeof line,
                  "Vk7x80IpManager::_ReadRDXPFile - RDXPFile checksum mismatch : expected 0x%02X, "
                  "found 0x%02X",
                  expected, damaged[152]);
    EXPECT_THAT(log.Messages('E'), ElementsAre(line));
    // The file read before is still the one in memory.
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.37.130");
}

TEST_F(Vk7x80IpManagerTest, FileWithMoreThan18RecordsKeepsItsChecksumAfterTheLastRecord) {
    Registers registers = sample_files::StoredRegisters();
    registers.push_back({0x50, 0xAA});
    registers.push_back({0x51, 0xBB});
    Read(sample_files::Rdxp(registers));
    manager.SetDetectorIPAddress("10.1.2.3");

    const Bytes written = Write();
    ASSERT_EQ(written.size(), 161u);
    // Record 18 (register 0x50) sits where a fixed checksum would have gone.
    EXPECT_EQ(written[152], 0x50);
    EXPECT_EQ(written[154], 0xAA);
    EXPECT_EQ(written[158], 0xBB);
    EXPECT_EQ(written[160], sample_files::XorOf(written, 160));
    EXPECT_EQ(RegisterValue(written, 0x43), 10);
}

TEST_F(Vk7x80IpManagerTest, BytesAfterTheChecksumAreWrittenBackUnchanged) {
    Bytes original = sample_files::StoredRdxp();
    original.insert(original.end(), {0x7E, 0x00, 0x81});
    Read(original);
    manager.SetDetectorIPAddress("10.1.2.3");
    const Bytes written = Write();
    ASSERT_EQ(written.size(), 156u);
    EXPECT_EQ(written[152], sample_files::XorOf(written, 152));
    EXPECT_EQ(Bytes(written.begin() + 153, written.end()), (Bytes{0x7E, 0x00, 0x81}));
}

TEST_F(Vk7x80IpManagerTest, MissingRegisterFailsTheChangeWithoutTouchingAnyRecord) {
    struct Case {
        std::uint16_t dropped;
        bool host;
        const char* line;
    };
    const Case cases[] = {
        {0x41, false,
         "Vk7x80IpManager::SetDetectorIPAddress - register 0x41 missing from RDXP file"},
        {0x20, true, "Vk7x80IpManager::SetHostIPAddress - register 0x20 missing from RDXP file"},
        {0x2F, true, "Vk7x80IpManager::SetHostIPAddress - register 0x2F missing from RDXP file"},
    };
    for (const Case& c : cases) {
        Registers registers = sample_files::StoredRegisters();
        for (auto& r : registers) {
            if (r.id == c.dropped) {
                r.id = 0x99;
            }
        }
        const Bytes original = sample_files::Rdxp(registers);
        Read(original);
        log.Clear();
        if (c.host) {
            manager.SetHostIPAddress("10.0.0.1");
        } else {
            manager.SetDetectorIPAddress("10.0.0.2");
        }
        EXPECT_THAT(log.Messages('E'), ElementsAre(c.line));
        EXPECT_EQ(manager.GetRDXPFile()->Encode(), original) << c.line;
        // writeFile is a strict mock: a call would fail the test.
        EXPECT_FALSE(manager.WriteConfig()) << c.line;
    }
}

TEST_F(Vk7x80IpManagerTest, RefusedAddressTextMakesWriteConfigWriteNothing) {
    for (const bool host : {false, true}) {
        Read(sample_files::StoredRdxp());
        log.Clear();
        if (host) {
            manager.SetHostIPAddress("1.2.3.4.5");
            manager.SetDetectorIPAddress("10.1.2.3");
        } else {
            manager.SetHostIPAddress("10.0.0.1");
            manager.SetDetectorIPAddress("1.2.3.4.5");
        }
        const std::string which = host ? "SetHostIPAddress" : "SetDetectorIPAddress";
        EXPECT_EQ(log.Messages('E').at(0),
                  "Vk7x80IpManager::" + which + " - invalid IP address 1.2.3.4.5");
        EXPECT_FALSE(manager.WriteConfig()) << which;
    }
}

TEST_F(Vk7x80IpManagerTest, CountZeroGivesAnEmptyIndexAndNothingToWrite) {
    Read(sample_files::Rdxp({}));
    EXPECT_THROW(manager.GetDetectorIPAddress(), std::out_of_range);
    EXPECT_THROW(manager.WriteConfig(), std::out_of_range);
    manager.SetDetectorIPAddress("10.0.0.2");
    EXPECT_FALSE(manager.WriteConfig());
}

TEST_F(Vk7x80IpManagerTest, DuplicatedRegisterIsReachedThroughItsLastOccurrence) {
    Registers registers = sample_files::StoredRegisters();
    registers[17] = {0x40, 99}; // a second 0x40 replaces 0x25
    Read(sample_files::Rdxp(registers));
    EXPECT_EQ(manager.GetDetectorIPAddress(), "192.168.37.99");
    manager.SetDetectorIPAddress("10.1.2.3");
    const Bytes written = Write();
    EXPECT_EQ(written[sample_files::RecordValueOffset(0)], 130);
    EXPECT_EQ(written[sample_files::RecordValueOffset(17)], 3);
}

TEST_F(Vk7x80IpManagerTest, FortyByteFileFailsWithTheDecodeMessage) {
    Bytes shortFile = sample_files::StoredRdxp();
    shortFile.resize(40);
    ExpectUndecodable(shortFile, "Vk7x80IpManager::_ReadRDXPFile - Unable to decode "
                                 "RDXPFile structure : ");
}

TEST_F(Vk7x80IpManagerTest, FailedFirstReadLeavesNothingToWrite) {
    Bytes shortFile = sample_files::StoredRdxp();
    shortFile.resize(40);
    Bytes wrongChecksum = sample_files::StoredRdxp();
    wrongChecksum[152] ^= 0x01;
    ExpectFailedFirstReadsArmNothing({Bytes(), shortFile, wrongChecksum});
}

TEST_F(Vk7x80IpManagerTest, EmptyFileThrowsOutOfRange) {
    Offer(Bytes());
    EXPECT_THROW(manager.ReadConfig(), std::out_of_range);
}

} // namespace
