#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

enum class Family { Vk6080K, Vk7x80, VknQ2, Vk7380TW, Vk6080MV };

// One of the seven detector models and what the emulated device offers.
struct BenchModel {
    std::string name; // command-line name: "6080K", "7380", ...
    Family family;
    std::string detectorName; // name the acquisition library knows: "Vk7180c", ...
    std::string boardName;    // board that reaches it: "AcqRDXPv1", ...
    std::string pathOption;   // "detector.path" or "detector.path.0"
    std::uint16_t port;       // port that must follow the address in the path; 0: none
    std::int32_t fileNumber;  // numbered network file (68, 206); 0: none
    bool hasFile;             // "file" extension
    bool hasNetworkConfig;    // "network_configuration" extension
    bool hasWifi;             // Detector::getWifi() and the user configuration document
    bool facesInfrared;       // can stand in front of an infrared module

    // Addresses live in the numbered file and take effect on reboot.
    bool keepsAddressesInFile() const { return fileNumber != 0; }
    // "ADDRESS:PORT" or the plain address, as the library's path option carries it.
    std::string path(const std::string& address) const;

    static const std::vector<BenchModel>& All();
    // Null for an unknown name.
    static const BenchModel* Find(const std::string& name);
    // Every model that the detector name covers; empty for an unknown name.
    static std::vector<const BenchModel*> ForDetectorName(const std::string& detectorName);
    static std::string KnownNames();
    static std::vector<std::string> Names();
};

} // namespace bench
} // namespace velkor
