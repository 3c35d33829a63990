#pragma once

#include "platform/acquisition/detector_parameter_iface.h"

#include <cstdint>

// One acquisition mode handed to the library's detector scan. The program
// only ever hands over a mode with every field zero.
class DetectorConfigMode : public mirl::acquisition::DetectorConfigModeIface {
public:
    std::uint16_t getValue1() const override { return value1; }
    std::uint32_t getValue2() const override { return value2; }
    std::uint16_t getValue3() const override { return value3; }
    std::uint16_t getValue4() const override { return value4; }
    Pair getPair5() const override { return pair5; }
    std::uint16_t getPair5First() const override { return pair5.first; }
    std::uint16_t getPair5Second() const override { return pair5.second; }
    float getValue6() const override { return value6; }
    float getValue7() const override { return value7; }
    std::uint16_t getValue8() const override { return value8; }
    float getValue9() const override { return value9; }
    Pair getPair10() const override { return pair10; }
    std::uint16_t getPair10First() const override { return pair10.first; }
    std::uint16_t getPair10Second() const override { return pair10.second; }
    std::uint32_t getValue11() const override { return value11; }
    ~DetectorConfigMode() override = default;

    std::uint16_t value1 = 0;
    std::uint32_t value2 = 0;
    std::uint16_t value3 = 0;
    std::uint16_t value4 = 0;
    Pair pair5{0, 0};
    float value6 = 0.0f;
    float value7 = 0.0f;
    std::uint16_t value8 = 0;
    float value9 = 0.0f;
    Pair pair10{0, 0};
    std::uint32_t value11 = 0;
};
