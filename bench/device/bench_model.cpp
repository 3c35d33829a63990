#include "bench/device/bench_model.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/range/adaptor/transformed.hpp>

#include <algorithm>

namespace velkor {
namespace bench {

BenchModel::BenchModel(std::string name, Family family, std::string detectorName,
                       std::string boardName, std::string pathOption, std::uint16_t port,
                       std::int32_t fileNumber, unsigned offers)
    : name(std::move(name)), family(family), detectorName(std::move(detectorName)),
      boardName(std::move(boardName)), pathOption(std::move(pathOption)), port(port),
      fileNumber(fileNumber), hasFile((offers & FileExtension) != 0),
      hasNetworkConfig((offers & NetworkConfig) != 0), hasWifi((offers & Wifi) != 0),
      facesInfrared((offers & Infrared) != 0) {}

const std::vector<BenchModel>& BenchModel::All() {
    // name, family, detector name, board, path option, port, file number, offers
    static const std::vector<BenchModel> models = {
        {"6080K", Family::Vk6080K, "Vk6080K", "AcqEth", "detector.path", 40000, 68, FileExtension},
        {"7180", Family::Vk7x80, "Vk7180c", "AcqRDXPv1", "detector.path", 10001, 206,
         FileExtension},
        {"7380", Family::Vk7x80, "Vk7180c", "AcqRDXPv1", "detector.path", 10001, 206,
         FileExtension},
        {"6080QL", Family::VknQ2, "Vk6080QL", "AcqRDXPv2", "detector.path.0", 0, 0,
         FileExtension | NetworkConfig | Wifi | Infrared},
        {"4050QL", Family::VknQ2, "Vk6080QL", "AcqRDXPv2", "detector.path.0", 0, 0,
         FileExtension | NetworkConfig | Wifi | Infrared},
        {"7380TW", Family::Vk7380TW, "Vk7380TWc", "AcqRDXPv2", "detector.path", 0, 0,
         NetworkConfig},
        {"6080MV", Family::Vk6080MV, "Vk6080MVcs", "AcqRDXPv2", "detector.path", 0, 0,
         FileExtension | NetworkConfig | Wifi | Infrared},
    };
    return models;
}

const BenchModel* BenchModel::Find(const std::string& name) {
    for (const BenchModel& model : All()) {
        if (model.name == name) {
            return &model;
        }
    }
    return nullptr;
}

const BenchModel* BenchModel::OfDetectorName(const std::string& detectorName) {
    for (const BenchModel& model : All()) {
        if (model.detectorName == detectorName) {
            return &model;
        }
    }
    return nullptr;
}

namespace {

std::vector<std::string> Distinct(std::string BenchModel::*field) {
    std::vector<std::string> values;
    for (const BenchModel& model : BenchModel::All()) {
        if (std::find(values.begin(), values.end(), model.*field) == values.end()) {
            values.push_back(model.*field);
        }
    }
    return values;
}

} // namespace

std::vector<std::string> BenchModel::DetectorNames() {
    return Distinct(&BenchModel::detectorName);
}

std::vector<std::string> BenchModel::BoardNames() {
    return Distinct(&BenchModel::boardName);
}

std::vector<std::string> BenchModel::Names() {
    const auto names =
        All() | boost::adaptors::transformed([](const BenchModel& model) { return model.name; });
    return std::vector<std::string>(names.begin(), names.end());
}

std::string BenchModel::KnownNames() {
    return boost::algorithm::join(Names(), ", ");
}

std::string BenchModel::path(const std::string& address) const {
    return port == 0 ? address : address + ":" + std::to_string(port);
}

} // namespace bench
} // namespace velkor
