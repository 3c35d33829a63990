#pragma once

#include "detector/detector_config_mode.h"
#include "platform/acquisition/detector_parameter_iface.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

// The description of the detector that the library's detector scan receives.
class DetectorParameter : public mirl::acquisition::DetectorParameterIface {
public:
    std::string getName() const override { return name; }
    Modes getModes() const override;
    std::string getTextOf(std::uint16_t value) const override;
    ~DetectorParameter() override = default;

    // What every family hands over: the name "NotUsed" and one all-zero mode under key 1.
    void FillNotUsed();

    std::string name;
    std::map<int, DetectorConfigMode> modes;
    // Left empty by this program.
    std::map<int, std::string> labels;
    std::vector<std::uint16_t> firstValues;
    std::vector<std::uint16_t> secondValues;
    std::vector<std::uint16_t> thirdValues;
    std::map<std::string, std::list<std::uint16_t>> texts;
};
