#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace mirl {
namespace acquisition {

// One acquisition mode of a scanned detector.
class DetectorConfigModeIface {
public:
    using Pair = std::pair<std::uint16_t, std::uint16_t>;

    virtual std::uint16_t getValue1() const = 0;
    virtual std::uint32_t getValue2() const = 0;
    virtual std::uint16_t getValue3() const = 0;
    virtual std::uint16_t getValue4() const = 0;
    virtual Pair getPair5() const = 0;
    virtual std::uint16_t getPair5First() const = 0;
    virtual std::uint16_t getPair5Second() const = 0;
    virtual float getValue6() const = 0;
    virtual float getValue7() const = 0;
    virtual std::uint16_t getValue8() const = 0;
    virtual float getValue9() const = 0;
    virtual Pair getPair10() const = 0;
    virtual std::uint16_t getPair10First() const = 0;
    virtual std::uint16_t getPair10Second() const = 0;
    virtual std::uint32_t getValue11() const = 0;
    virtual ~DetectorConfigModeIface() = default;
};

// The description of the detector that AcquisitionManager::scanDetectors receives.
class DetectorParameterIface {
public:
    using Modes = std::map<int, std::reference_wrapper<const DetectorConfigModeIface>>;

    virtual std::string getName() const = 0;
    virtual Modes getModes() const = 0;
    // Text of the first entry whose value list holds `value`, else empty.
    virtual std::string getTextOf(std::uint16_t value) const = 0;
    virtual ~DetectorParameterIface() = default;
};

} // namespace acquisition
} // namespace mirl
