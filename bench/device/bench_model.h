#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

enum class Family { Vk6080K, Vk7x80, VknQ2, Vk7380TW, Vk6080MV };

// One of the seven detector models and what the emulated device offers.
struct BenchModel {
    // What the device offers besides its connection, flags of a row.
    enum Offers : unsigned { FileExtension = 1, NetworkConfig = 2, Wifi = 4, Infrared = 8 };

    BenchModel(std::string name, Family family, std::string detectorName, std::string boardName,
               std::string pathOption, std::uint16_t port, std::int32_t fileNumber,
               unsigned offers);

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
    // The models a detector name covers (7180 and 7380, 6080QL and 4050QL)
    // are one to the acquisition library: the first stands for them. Null
    // for an unknown detector name.
    static const BenchModel* OfDetectorName(const std::string& detectorName);
    static std::string KnownNames();
    static std::vector<std::string> Names();
    // The detector and board names the acquisition library knows, each once,
    // in the order of the models.
    static std::vector<std::string> DetectorNames();
    static std::vector<std::string> BoardNames();
};

} // namespace bench
} // namespace velkor
