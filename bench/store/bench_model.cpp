#include "bench/store/bench_model.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/range/adaptor/transformed.hpp>

namespace velkor {
namespace bench {

const std::vector<BenchModel>& BenchModel::All() {
    static const std::vector<BenchModel> models = {
        {"6080K", Family::Vk6080K, "Vk6080K", "AcqEth", "detector.path", 40000, 68, true, false,
         false, false},
        {"7180", Family::Vk7x80, "Vk7180c", "AcqRDXPv1", "detector.path", 10001, 206, true, false,
         false, false},
        {"7380", Family::Vk7x80, "Vk7180c", "AcqRDXPv1", "detector.path", 10001, 206, true, false,
         false, false},
        {"6080QL", Family::VknQ2, "Vk6080QL", "AcqRDXPv2", "detector.path.0", 0, 0, true, true,
         true, true},
        {"4050QL", Family::VknQ2, "Vk6080QL", "AcqRDXPv2", "detector.path.0", 0, 0, true, true,
         true, true},
        {"7380TW", Family::Vk7380TW, "Vk7380TWc", "AcqRDXPv2", "detector.path", 0, 0, false, true,
         false, false},
        {"6080MV", Family::Vk6080MV, "Vk6080MVcs", "AcqRDXPv2", "detector.path", 0, 0, true, true,
         true, true},
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

std::vector<const BenchModel*> BenchModel::ForDetectorName(const std::string& detectorName) {
    std::vector<const BenchModel*> models;
    for (const BenchModel& model : All()) {
        if (model.detectorName == detectorName) {
            models.push_back(&model);
        }
    }
    return models;
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
