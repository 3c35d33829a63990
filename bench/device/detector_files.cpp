#include "bench/device/detector_files.h"

#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"

namespace velkor {
namespace bench {
namespace detector_files {

namespace {

void PutText(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

void PutLittle(Bytes& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
}

std::string LeftPad(const std::string& text) {
    return std::string(12 - text.size(), ' ') + text;
}

Bytes MakeHeader(std::uint8_t kind, std::uint32_t length, const std::string& name,
                 const std::string& date, const std::string& time) {
    Bytes header;
    header.push_back(kind);
    header.push_back(0);
    PutLittle(header, length, 4);
    header.insert(header.end(), 10, 0);
    PutText(header, name + std::string(12 - name.size(), ' '));
    PutText(header, LeftPad(std::to_string(length)));
    PutText(header, LeftPad(date));
    PutText(header, LeftPad(time));
    return header;
}

Header ReadHeader(const Bytes& bytes) {
    Header header;
    header.kind = bytes[0];
    header.length =
        static_cast<std::uint32_t>(bytes[2]) | static_cast<std::uint32_t>(bytes[3]) << 8 |
        static_cast<std::uint32_t>(bytes[4]) << 16 | static_cast<std::uint32_t>(bytes[5]) << 24;
    const auto text = [&bytes](std::size_t offset) {
        return std::string(bytes.begin() + static_cast<long>(offset),
                           bytes.begin() + static_cast<long>(offset) + 12);
    };
    header.name = text(16);
    header.sizeText = text(28);
    header.dateText = text(40);
    header.timeText = text(52);
    return header;
}

} // namespace

boost::optional<std::uint8_t> RegisterFields::value(std::uint16_t id) const {
    boost::optional<std::uint8_t> found;
    for (const Record& record : records) {
        if (record.id == id) {
            found = record.value;
        }
    }
    return found;
}

boost::optional<std::string> RegisterFields::address(std::uint16_t highest) const {
    address_text::Quad quad{};
    for (std::size_t i = 0; i < quad.size(); ++i) {
        const auto number = value(static_cast<std::uint16_t>(highest - i));
        if (!number) {
            return boost::none;
        }
        quad[i] = *number;
    }
    return address_text::Format(quad);
}

boost::optional<std::uint16_t> RegisterFields::number(std::uint16_t low) const {
    const auto lowByte = value(low);
    const auto highByte = value(static_cast<std::uint16_t>(low + 1));
    if (!lowByte || !highByte) {
        return boost::none;
    }
    return static_cast<std::uint16_t>(*lowByte | (*highByte << 8));
}

Bytes MakeInterfaceFile(const address_text::Quad& address) {
    Bytes bytes = MakeHeader(0x04, InterfaceFileSize, "NETCFG.DCF", "12/03/2009", "09:30:00");
    bytes.insert(bytes.end(), address.begin(), address.end());
    return bytes;
}

Bytes MakeRegisterFile(const address_text::Quad& detector, const address_text::Quad& host) {
    // The register order of the detectors as they leave the factory.
    const std::vector<std::pair<std::uint16_t, std::uint8_t>> records = {
        {0x40, detector[3]}, {0x41, detector[2]}, {0x42, detector[1]}, {0x43, detector[0]},
        {0x34, 0x11},        {0x35, 0x27},        {0x2C, host[3]},     {0x2D, host[2]},
        {0x2E, host[1]},     {0x2F, host[0]},     {0x30, 0xFE},        {0x31, 0x07},
        {0x20, host[3]},     {0x21, host[2]},     {0x22, host[1]},     {0x23, host[0]},
        {0x24, 0x71},        {0x25, 0x17},
    };
    Bytes bytes = MakeHeader(0x0A, RegisterFileSize, "GEN3.DCF", "07/09/2010", "15:11:40");
    bytes.push_back(static_cast<unsigned char>(records.size()));
    bytes.insert(bytes.end(), 15, 0);
    for (const auto& record : records) {
        PutLittle(bytes, record.first, 2);
        bytes.push_back(record.second);
        bytes.push_back(0);
    }
    bytes.push_back(Xor(bytes, bytes.size()));
    return bytes;
}

InterfaceFields DecodeInterfaceFile(const Bytes& bytes) {
    if (bytes.size() < InterfaceFileSize) {
        throw BenchError("an interface file has " + std::to_string(InterfaceFileSize) +
                         " bytes, not " + std::to_string(bytes.size()));
    }
    InterfaceFields fields;
    fields.header = ReadHeader(bytes);
    fields.trailing = bytes.size() - InterfaceFileSize;
    for (std::size_t i = 0; i < fields.address.size(); ++i) {
        fields.address[i] = bytes[HeaderSize + i];
    }
    return fields;
}

RegisterFields DecodeRegisterFile(const Bytes& bytes) {
    if (bytes.size() < RecordsOffset + 1) {
        throw BenchError(std::to_string(bytes.size()) + " bytes are too short for a register file");
    }
    const std::size_t count = bytes[HeaderSize];
    const std::size_t expected = RecordsOffset + 4 * count + 1;
    if (bytes.size() < expected) {
        throw BenchError("a register file of " + std::to_string(count) + " records has " +
                         std::to_string(expected) + " bytes, not " + std::to_string(bytes.size()));
    }
    RegisterFields fields;
    fields.header = ReadHeader(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = RecordsOffset + 4 * i;
        Record record;
        record.id = static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
        record.value = bytes[at + 2];
        record.spare = bytes[at + 3];
        fields.records.push_back(record);
    }
    fields.checksum = bytes[expected - 1];
    fields.computed = Xor(bytes, expected - 1);
    fields.trailing = bytes.size() - expected;
    return fields;
}

std::string RefusalOf(std::int32_t number, const Bytes& bytes) {
    try {
        if (number == InterfaceFileNumber) {
            DecodeInterfaceFile(bytes);
            return std::string();
        }
        if (number == RegisterFileNumber) {
            const RegisterFields fields = DecodeRegisterFile(bytes);
            if (!fields.checksumRight()) {
                return "its checksum " + byte_text::HexNumber(fields.checksum, 2) +
                       " does not match its content (" + byte_text::HexNumber(fields.computed, 2) +
                       ")";
            }
            for (std::uint16_t id = DetectorAddressRegister - 3; id <= DetectorAddressRegister;
                 ++id) {
                if (!fields.value(id)) {
                    return "register " + byte_text::HexNumber(id, 2) +
                           " of the detector address is missing";
                }
            }
            return std::string();
        }
    } catch (const BenchError& error) {
        return error.what();
    }
    return "there is no file " + std::to_string(number);
}

std::string DetectorAddressOf(std::int32_t number, const Bytes& bytes) {
    if (number == InterfaceFileNumber) {
        return address_text::Format(DecodeInterfaceFile(bytes).address);
    }
    const auto address = DecodeRegisterFile(bytes).address(DetectorAddressRegister);
    if (!address) {
        throw BenchError("the register file holds no detector address");
    }
    return *address;
}

std::uint8_t Xor(const Bytes& bytes, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count && i < bytes.size(); ++i) {
        sum = static_cast<std::uint8_t>(sum ^ bytes[i]);
    }
    return sum;
}

} // namespace detector_files
} // namespace bench
} // namespace velkor
