#pragma once

#include "platform/acquisition/extensions.h"

#include <array>
#include <cstdint>
#include <vector>

namespace detector_testing {

// Detector files built byte by byte, independently of the code under test.
namespace sample_files {

struct Register {
    std::uint16_t id;
    std::uint8_t value;
};

// The 64-byte header of a stored RDXP file: kind 0x0A, length 153,
// "GEN3.DCF", "153", "07/09/2010", "15:11:40".
mirl::acquisition::Bytes RdxpHeader();
// The 18 registers of a 7380 file holding these detector and host addresses.
std::vector<Register> Registers7380(const std::array<std::uint8_t, 4>& detector,
                                    const std::array<std::uint8_t, 4>& host);
// Those of a stored 7380 file: detector 192.168.37.130, host 192.168.37.131.
inline std::vector<Register> StoredRegisters() {
    return Registers7380({192, 168, 37, 130}, {192, 168, 37, 131});
}
// Header, count, 15 zeros, the records, and the XOR of all that.
mirl::acquisition::Bytes Rdxp(const std::vector<Register>& registers);
inline mirl::acquisition::Bytes StoredRdxp() {
    return Rdxp(StoredRegisters());
}
// Offset of the value byte of record `index`.
inline std::size_t RecordValueOffset(std::size_t index) {
    return 80 + 4 * index + 2;
}
// The XOR of the bytes before `end`: the checksum an RDXP file keeps at `end`.
std::uint8_t XorOf(const mirl::acquisition::Bytes& bytes, std::size_t end);

// A 68-byte interface file of a 6080K with the given address.
mirl::acquisition::Bytes Interface(const std::array<std::uint8_t, 4>& address);

} // namespace sample_files
} // namespace detector_testing
