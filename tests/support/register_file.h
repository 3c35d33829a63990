#pragma once

#include <string>

namespace e2e {

// The 7380's register file with the given detector and host numbers, byte by
// byte; the checksum is left to the caller.
inline std::string RegisterFile(const unsigned char detector[4], const unsigned char host[4]) {
    std::string bytes("\x0A\x00\x99\x00\x00\x00", 6);
    bytes += std::string(10, '\0');
    bytes += "GEN3.DCF    ";
    bytes += "         153";
    bytes += "  07/09/2010";
    bytes += "    15:11:40";
    bytes += '\x12';
    bytes += std::string(15, '\0');
    const unsigned char records[18][2] = {
        {0x40, detector[3]}, {0x41, detector[2]}, {0x42, detector[1]}, {0x43, detector[0]},
        {0x34, 0x11},        {0x35, 0x27},        {0x2C, host[3]},     {0x2D, host[2]},
        {0x2E, host[1]},     {0x2F, host[0]},     {0x30, 0xFE},        {0x31, 0x07},
        {0x20, host[3]},     {0x21, host[2]},     {0x22, host[1]},     {0x23, host[0]},
        {0x24, 0x71},        {0x25, 0x17}};
    for (const auto& record : records) {
        bytes += static_cast<char>(record[0]);
        bytes += '\0';
        bytes += static_cast<char>(record[1]);
        bytes += '\0';
    }
    return bytes;
}

} // namespace e2e
