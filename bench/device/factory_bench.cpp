#include "bench/device/factory_bench.h"

namespace velkor {
namespace bench {
namespace factory {

const std::vector<FactoryDetector>& Detectors() {
    static const std::vector<FactoryDetector> detectors = {
        {"6080K", "192.168.0.2", nullptr, Link::Cable},
        {"7380", "192.168.37.130", "192.168.37.131", Link::Cable},
        {"7180", "10.0.37.130", "10.0.37.131", Link::Cable},
        {"6080QL", "192.168.1.20", "192.168.1.1/24", Link::Cable},
        {"4050QL", "192.168.2.20", "192.168.2.1/24", Link::Wifi},
        {"7380TW", "10.0.0.20", "10.0.0.1/16", Link::Cable},
        {"6080MV", "192.168.3.20", "192.168.3.1/24", Link::Cable},
    };
    return detectors;
}

const std::vector<ModulePlug>& Modules() {
    static const std::vector<ModulePlug> modules = {{"COM3", "6080QL"}};
    return modules;
}

std::string Summary() {
    std::string text = std::to_string(Detectors().size()) + " detectors";
    for (std::size_t i = 0; i < Modules().size(); ++i) {
        text +=
            (i == 0 ? ", " : " and ") + std::string("an infrared module on ") + Modules()[i].port;
    }
    return text;
}

} // namespace factory
} // namespace bench
} // namespace velkor
