#pragma once

#include "bench/device/address_text.h"
#include "bench/text/bytes.h"

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
namespace detector_files {

constexpr std::int32_t InterfaceFileNumber = 68;
constexpr std::int32_t RegisterFileNumber = 206;
constexpr std::size_t InterfaceFileSize = 68;
constexpr std::size_t RegisterFileSize = 153;
constexpr std::size_t HeaderSize = 64;
constexpr std::size_t RecordsOffset = 80;

// Registers of file 206: an address is four registers, its first number
// in the highest; a port is two, its low byte first.
constexpr std::uint16_t DetectorAddressRegister = 0x43;
constexpr std::uint16_t CommandHostRegister = 0x2F;
constexpr std::uint16_t ImageHostRegister = 0x23;
constexpr std::uint16_t DetectorPortRegister = 0x34;
constexpr std::uint16_t CommandPortRegister = 0x30;
constexpr std::uint16_t ImagePortRegister = 0x24;

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
    address_text::Quad address{};
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

Bytes MakeInterfaceFile(const address_text::Quad& address);
Bytes MakeRegisterFile(const address_text::Quad& detector, const address_text::Quad& host);

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

} // namespace detector_files
} // namespace bench
} // namespace velkor
