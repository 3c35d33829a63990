#include "bench/acquisition/bench_acquisition_manager.h"

#include "bench/acquisition/bench_detector.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_model.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/make_shared.hpp>

#include <iterator>
#include <vector>

namespace mirl {
namespace acquisition {

AcquisitionManager& AcquisitionManager::manager() {
    static velkor::bench::BenchAcquisitionManager instance;
    return instance;
}

} // namespace acquisition
} // namespace mirl

namespace velkor {
namespace bench {

namespace {

using Rules = BenchConfigParser::Rules;

const char* const Boards[] = {"AcqEth", "AcqRDXPv1", "AcqRDXPv2"};
const char* const KnownDetectorNames[] = {"Vk6080K", "Vk7180c", "Vk6080QL", "Vk7380TWc",
                                          "Vk6080MVcs"};

template <std::size_t N> std::string Join(const char* const (&names)[N]) {
    return boost::algorithm::join(std::vector<std::string>(std::begin(names), std::end(names)),
                                  ", ");
}

template <std::size_t N> bool Contains(const char* const (&names)[N], const std::string& name) {
    for (const char* known : names) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

Rules ProtocolRules() {
    return Rules{{"protocol.traces.show", BenchConfigParser::YesOrNo()},
                 {"protocol.statistics.show", BenchConfigParser::YesOrNo()}};
}

// What each detector accepts, after the options its managers set.
Rules DetectorRules(const std::string& detectorName) {
    const BenchModel& model = *BenchModel::ForDetectorName(detectorName).front();
    if (model.family == Family::Vk6080K) {
        return Rules{{"detector.path", BenchConfigParser::AddressWithPort(40000, "Vk6080K")}};
    }
    Rules rules = ProtocolRules();
    if (model.family == Family::Vk7x80) {
        rules["detector.path"] = BenchConfigParser::AddressWithPort(10001, "Vk7180c");
        rules["local.command.port"] = BenchConfigParser::PortNumber();
        rules["local.image.port"] = BenchConfigParser::PortNumber();
        return rules;
    }
    rules[model.pathOption] = BenchConfigParser::Address();
    rules["local.path"] = BenchConfigParser::Address();
    return rules;
}

// A board takes the options of every detector it reaches.
Rules BoardRules(const std::string& boardName) {
    Rules rules;
    for (const char* detectorName : KnownDetectorNames) {
        if (BenchModel::ForDetectorName(detectorName).front()->boardName == boardName) {
            for (const auto& rule : DetectorRules(detectorName)) {
                rules.insert(rule);
            }
        }
    }
    return rules;
}

} // namespace

void BenchAcquisitionManager::init() {
    initialised_ = true;
}

void BenchAcquisitionManager::requireInit() const {
    if (!initialised_) {
        throw BenchError("the acquisition manager is not initialised: call init() first");
    }
}

void BenchAcquisitionManager::scanBoards(const std::string& boardName) {
    requireInit();
    if (!Contains(Boards, boardName)) {
        throw BenchError("unknown board name \"" + boardName + "\" (known: " + Join(Boards) + ")");
    }
    if (boards_.count(boardName) == 0) {
        boards_[boardName] = boost::make_shared<BenchBoard>(boardName, BoardRules(boardName));
    }
}

const boost::shared_ptr<BenchBoard>&
BenchAcquisitionManager::scannedBoard(const std::string& boardName) const {
    const auto found = boards_.find(boardName);
    if (found == boards_.end()) {
        throw BenchError("board \"" + boardName + "\" was not scanned: call scanBoards first");
    }
    return found->second;
}

BenchConfigParser& BenchAcquisitionManager::scannedDetector(const std::string& detectorName) const {
    const auto found = detectors_.find(detectorName);
    if (found == detectors_.end()) {
        throw BenchError("detector \"" + detectorName +
                         "\" was not scanned: call scanDetectors first");
    }
    return *found->second;
}

mirl::acquisition::ConfigParser&
BenchAcquisitionManager::getBoardOptionsParser(const std::string& boardName) {
    return scannedBoard(boardName)->parser();
}

boost::shared_ptr<mirl::acquisition::Board>
BenchAcquisitionManager::getBoard(const std::string& boardName) {
    return scannedBoard(boardName);
}

void BenchAcquisitionManager::scanDetectors(
    const std::string& detectorName,
    const boost::shared_ptr<mirl::acquisition::DetectorParameterIface>& parameter) {
    requireInit();
    if (!Contains(KnownDetectorNames, detectorName)) {
        throw BenchError("unknown detector name \"" + detectorName +
                         "\" (known: " + Join(KnownDetectorNames) + ")");
    }
    if (!parameter) {
        throw BenchError("scanning for " + detectorName + " needs a detector parameter");
    }
    if (detectors_.count(detectorName) == 0) {
        detectors_[detectorName].reset(
            new BenchConfigParser("detector " + detectorName, DetectorRules(detectorName)));
    }
}

mirl::acquisition::ConfigParser&
BenchAcquisitionManager::getDetectorOptionsParser(const std::string& detectorName) {
    return scannedDetector(detectorName);
}

boost::shared_ptr<mirl::acquisition::Detector>
BenchAcquisitionManager::getDetector(const std::string& detectorName,
                                     const boost::shared_ptr<mirl::acquisition::Board>& board) {
    const BenchConfigParser& parser = scannedDetector(detectorName);
    const BenchModel& model = *BenchModel::ForDetectorName(detectorName).front();
    const auto benchBoard = boost::dynamic_pointer_cast<BenchBoard>(board);
    if (!benchBoard) {
        throw BenchError("a " + detectorName + " detector needs the " + model.boardName +
                         " board of this library");
    }
    if (benchBoard->name() != model.boardName) {
        throw BenchError("a " + detectorName + " detector is reached through board " +
                         model.boardName + ", not " + benchBoard->name());
    }
    const auto path = parser.value(model.pathOption);
    if (!path) {
        throw BenchError("option " + model.pathOption + " is not set for detector " + detectorName);
    }
    const std::string address = model.port == 0 ? *path : path->substr(0, path->rfind(':'));
    return boost::make_shared<BenchDetector>(detectorName, address, benchBoard);
}

void BenchAcquisitionManager::clear() {
    boards_.clear();
    detectors_.clear();
    initialised_ = false;
}

} // namespace bench
} // namespace velkor
