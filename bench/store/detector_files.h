#pragma once

#include "bench/store/address_text.h"
#include "bench/store/atomic_file.h"

#include <boost/optional.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// The numbered network files of the 6080K (68, interface file) and the
// 7180/7380 (206, register file), byte for byte as the detectors keep them:
// a 64-byte header, little-endian fields, no padding. The bench keeps its own
// copy of these formats, apart from the program's, so that it catches the
// program's mistakes instead of sharing them.
namespace detectorfiles {

constexpr std::int32_t kInterfaceFile = 68;
constexpr std::int32_t kRegisterFile = 206;
constexpr std::size_t kInterfaceFileSize = 68;
constexpr std::size_t kRegisterFileSize = 153;
constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kRecordsOffset = 80;

// Registers of file 206: an address is four registers, its first number
// in the highest; a port is two, its low byte first.
constexpr std::uint16_t kDetectorAddressRegister = 0x43;
constexpr std::uint16_t kCommandHostRegister = 0x2F;
constexpr std::uint16_t kImageHostRegister = 0x23;
constexpr std::uint16_t kDetectorPortRegister = 0x34;
constexpr std::uint16_t kCommandPortRegister = 0x30;
constexpr std::uint16_t kImagePortRegister = 0x24;

struct Header {
    std::uint8_t kind = 0;
    std::uint32_t length = 0;
    std::string name;
    std::string sizeText;
    std::string dateText;
    std::string timeText;
};

struct InterfaceFields {
    Header header;
    addresstext::Quad address{};
    std::size_t trailing = 0; // bytes after the structure, kept as they are
};

struct Record {
    std::uint16_t id = 0;
    std::uint8_t value = 0;
    std::uint8_t spare = 0;
};

struct RegisterFields {
    Header header;
    std::vector<Record> records;
    std::uint8_t checksum = 0; // the byte after the records
    std::uint8_t computed = 0; // XOR of every byte before it
    std::size_t trailing = 0;  // bytes after the checksum, kept as they are

    bool checksumRight() const { return checksum == computed; }
    // The last record with that register number wins, as on the detector.
    boost::optional<std::uint8_t> value(std::uint16_t id) const;
    // Dotted address from four registers, the first number in `highest`.
    boost::optional<std::string> address(std::uint16_t highest) const;
    // 16-bit number from two registers, low byte first.
    boost::optional<std::uint16_t> number(std::uint16_t low) const;
};

Bytes MakeInterfaceFile(const addresstext::Quad& address);
Bytes MakeRegisterFile(const addresstext::Quad& detector, const addresstext::Quad& host);

// Throw BenchError when the bytes do not have the layout. Bytes after the
// structure are taken, as the detectors take them.
InterfaceFields DecodeInterfaceFile(const Bytes& bytes);
RegisterFields DecodeRegisterFile(const Bytes& bytes);

// Why a detector would refuse these bytes as file `number`; empty when it
// takes them.
std::string RefusalOf(std::int32_t number, const Bytes& bytes);
// The address the detector answers at after a reboot with this file.
std::string DetectorAddressOf(std::int32_t number, const Bytes& bytes);

std::uint8_t Xor(const Bytes& bytes, std::size_t count);

} // namespace detectorfiles
} // namespace bench
} // namespace velkor
