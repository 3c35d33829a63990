#include "detector/testing/sample_files.h"

#include <string>

namespace detector_testing {

using mirl::acquisition::Bytes;

namespace {

void Append(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

Bytes Header(std::uint8_t kind, std::uint32_t length, const std::string& name,
             const std::string& size, const std::string& date, const std::string& time) {
    Bytes bytes{kind, 0x00};
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>((length >> shift) & 0xFF));
    }
    bytes.insert(bytes.end(), 10, 0x00);
    Append(bytes, name);
    Append(bytes, size);
    Append(bytes, date);
    Append(bytes, time);
    return bytes;
}

} // namespace

Bytes sample_files::RdxpHeader() {
    return Header(0x0A, 153, "GEN3.DCF    ", "         153", "  07/09/2010", "    15:11:40");
}

std::vector<sample_files::Register>
sample_files::Registers7380(const std::array<std::uint8_t, 4>& detector,
                            const std::array<std::uint8_t, 4>& host) {
    return {{0x40, detector[3]}, {0x41, detector[2]}, {0x42, detector[1]}, {0x43, detector[0]},
            {0x34, 0x11},        {0x35, 0x27},        {0x2C, host[3]},     {0x2D, host[2]},
            {0x2E, host[1]},     {0x2F, host[0]},     {0x30, 0xFE},        {0x31, 0x07},
            {0x20, host[3]},     {0x21, host[2]},     {0x22, host[1]},     {0x23, host[0]},
            {0x24, 0x71},        {0x25, 0x17}};
}

Bytes sample_files::Rdxp(const std::vector<Register>& registers) {
    Bytes bytes = RdxpHeader();
    bytes.push_back(static_cast<std::uint8_t>(registers.size()));
    bytes.insert(bytes.end(), 15, 0x00);
    for (const Register& r : registers) {
        bytes.push_back(static_cast<std::uint8_t>(r.id & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(r.id >> 8));
        bytes.push_back(r.value);
        bytes.push_back(0x00);
    }
    bytes.push_back(XorOf(bytes, bytes.size()));
    return bytes;
}

std::uint8_t sample_files::XorOf(const Bytes& bytes, std::size_t end) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < end; ++i) {
        sum ^= bytes[i];
    }
    return sum;
}

Bytes sample_files::Interface(const std::array<std::uint8_t, 4>& address) {
    Bytes bytes = Header(0x03, 68, "IFACE.DCF   ", "          68", "  12/03/2011", "    09:05:17");
    bytes.insert(bytes.end(), address.begin(), address.end());
    return bytes;
}

} // namespace detector_testing
