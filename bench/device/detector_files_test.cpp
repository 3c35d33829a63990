#include "bench/device/detector_files.h"

#include <gtest/gtest.h>

#include <string>

namespace velkor {
namespace bench {
namespace {

void Append(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The stored 153-byte register file of a 7380 as it leaves the factory,
// written out field by field.
Bytes StoredRegisterFile() {
    Bytes bytes = {0x0A, 0x00, 0x99, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Append(bytes, "GEN3.DCF    ");
    Append(bytes, "         153");
    Append(bytes, "  07/09/2010");
    Append(bytes, "    15:11:40");
    bytes.push_back(18);
    bytes.insert(bytes.end(), 15, 0);
    const unsigned char records[18][2] = {
        {0x40, 130}, {0x41, 37}, {0x42, 168}, {0x43, 192}, {0x34, 0x11}, {0x35, 0x27},
        {0x2C, 131}, {0x2D, 37}, {0x2E, 168}, {0x2F, 192}, {0x30, 0xFE}, {0x31, 0x07},
        {0x20, 131}, {0x21, 37}, {0x22, 168}, {0x23, 192}, {0x24, 0x71}, {0x25, 0x17}};
    for (const auto& record : records) {
        bytes.insert(bytes.end(), {record[0], 0x00, record[1], 0x00});
    }
    bytes.push_back(0xEC);
    return bytes;
}

TEST(DetectorFilesTest, TheFactoryRegisterFileIsTheStoredFileByteForByte) {
    const Bytes made = detector_files::MakeRegisterFile({192, 168, 37, 130}, {192, 168, 37, 131});
    const Bytes stored = StoredRegisterFile();
    ASSERT_EQ(153u, stored.size());
    EXPECT_EQ(stored, made);
    EXPECT_EQ(0xEC, made.back());
    EXPECT_EQ(0xEC, detector_files::Xor(made, 152));
}

TEST(DetectorFilesTest, DecodesTheRegisterFile) {
    const auto fields = detector_files::DecodeRegisterFile(StoredRegisterFile());
    EXPECT_TRUE(fields.checksumRight());
    EXPECT_EQ(18u, fields.records.size());
    EXPECT_EQ(0x0A, fields.header.kind);
    EXPECT_EQ(153u, fields.header.length);
    EXPECT_EQ("GEN3.DCF    ", fields.header.name);
    EXPECT_EQ("192.168.37.130", *fields.address(0x43));
    EXPECT_EQ("192.168.37.131", *fields.address(0x2F));
    EXPECT_EQ("192.168.37.131", *fields.address(0x23));
    EXPECT_EQ(10001, *fields.number(0x34));
    EXPECT_EQ(2046, *fields.number(0x30));
    EXPECT_EQ(6001, *fields.number(0x24));
    EXPECT_EQ("192.168.37.130", detector_files::DetectorAddressOf(
                                    detector_files::RegisterFileNumber, StoredRegisterFile()));
}

TEST(DetectorFilesTest, TheLaterRecordOfARegisterWins) {
    Bytes bytes = StoredRegisterFile();
    bytes[80] = 0x43; // record 0 (0x40) becomes a first 0x43
    bytes[82] = 10;
    bytes.back() = detector_files::Xor(bytes, bytes.size() - 1);
    const auto fields = detector_files::DecodeRegisterFile(bytes);
    EXPECT_EQ(192, *fields.value(0x43));
    EXPECT_FALSE(fields.value(0x40));
    EXPECT_FALSE(fields.address(0x43));
}

TEST(DetectorFilesTest, TheInterfaceFileHoldsTheAddressInDottedOrderAfterItsHeader) {
    const Bytes bytes = detector_files::MakeInterfaceFile({192, 168, 0, 2});
    ASSERT_EQ(68u, bytes.size());
    EXPECT_EQ((Bytes{192, 168, 0, 2}), Bytes(bytes.begin() + 64, bytes.end()));
    EXPECT_EQ((Bytes{68, 0, 0, 0}), Bytes(bytes.begin() + 2, bytes.begin() + 6));
    EXPECT_EQ("          68", std::string(bytes.begin() + 28, bytes.begin() + 40));
    const auto fields = detector_files::DecodeInterfaceFile(bytes);
    EXPECT_EQ((address_text::Quad{192, 168, 0, 2}), fields.address);
    EXPECT_EQ("192.168.0.2",
              detector_files::DetectorAddressOf(detector_files::InterfaceFileNumber, bytes));
}

struct RefusalCase {
    const char* name;
    std::int32_t number;
    Bytes bytes;
    const char* reason; // empty: accepted
};

Bytes WithByte(Bytes bytes, std::size_t at, unsigned char value, bool fixChecksum) {
    bytes[at] = value;
    if (fixChecksum) {
        bytes.back() = detector_files::Xor(bytes, bytes.size() - 1);
    }
    return bytes;
}

TEST(DetectorFilesTest, RefusesWhatADetectorWouldRefuse) {
    const Bytes interface = detector_files::MakeInterfaceFile({10, 0, 0, 2});
    const Bytes registers = StoredRegisterFile();
    Bytes longer = interface;
    longer.push_back(0);
    Bytes shortRegisters(registers.begin(), registers.begin() + 149);
    Bytes trailed = registers;
    trailed.insert(trailed.end(), {0xDE, 0xAD, 0x00});
    const std::vector<RefusalCase> cases = {
        {"interface file", 68, interface, ""},
        {"register file", 206, registers, ""},
        {"a changed address with a new checksum", 206, WithByte(registers, 82, 10, true), ""},
        // Bytes after the structure are the detector's own business.
        {"interface file with a trailing byte", 68, longer, ""},
        {"register file with trailing bytes", 206, trailed, ""},
        {"interface file empty", 68, Bytes(), "an interface file has 68 bytes, not 0"},
        {"checksum stale", 206, WithByte(registers, 82, 10, false),
         "its checksum 0xEC does not match its content (0x64)"},
        // 17 records put the checksum at 148, where the 18th record starts.
        {"count below the records held", 206, WithByte(registers, 64, 17, true),
         "its checksum 0x25 does not match its content (0xDD)"},
        {"too short", 206, Bytes(40, 0), "40 bytes are too short for a register file"},
        {"cut short", 206, shortRegisters, "a register file of 18 records has 153 bytes, not 149"},
        {"detector address register missing", 206, WithByte(registers, 88, 0x50, true),
         "register 0x42 of the detector address is missing"},
        {"unknown file", 12, interface, "there is no file 12"},
    };
    for (const RefusalCase& c : cases) {
        EXPECT_EQ(c.reason, detector_files::RefusalOf(c.number, c.bytes)) << c.name;
    }
}

TEST(DetectorFilesTest, TrailingBytesFollowTheChecksumAndAreCounted) {
    Bytes registers = StoredRegisterFile();
    registers.insert(registers.end(), {0x01, 0x02, 0x03});
    const auto fields = detector_files::DecodeRegisterFile(registers);
    EXPECT_EQ(18u, fields.records.size());
    EXPECT_EQ(registers[152], fields.checksum);
    EXPECT_TRUE(fields.checksumRight());
    EXPECT_EQ(3u, fields.trailing);
    EXPECT_EQ("192.168.37.130", detector_files::DetectorAddressOf(206, registers));

    Bytes interface = detector_files::MakeInterfaceFile({10, 0, 0, 2});
    interface.push_back(0x7F);
    EXPECT_EQ(1u, detector_files::DecodeInterfaceFile(interface).trailing);
    EXPECT_EQ("10.0.0.2", detector_files::DetectorAddressOf(68, interface));
}

} // namespace
} // namespace bench
} // namespace velkor
