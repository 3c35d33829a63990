#include "bench/acquisition/bench_acquisition_manager.h"

#include "bench/acquisition/bench_detector.h"
#include "bench/device/bench_model.h"
#include "bench/text/bench_error.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/make_shared.hpp>

#include <algorithm>
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

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

Rules ProtocolRules() {
    return Rules{{"protocol.traces.show", BenchConfigParser::YesOrNo()},
                 {"protocol.statistics.show", BenchConfigParser::YesOrNo()}};
}

// What each detector accepts, after the options its managers set.
Rules DetectorRules(const BenchModel& model) {
    Rules rules = model.family == Family::Vk6080K ? Rules() : ProtocolRules();
    if (model.port != 0) {
        rules[model.pathOption] =
            BenchConfigParser::AddressWithPort(model.port, model.detectorName);
    } else {
        rules[model.pathOption] = BenchConfigParser::Address();
        rules["local.path"] = BenchConfigParser::Address();
    }
    if (model.family == Family::Vk7x80) {
        rules["local.command.port"] = BenchConfigParser::PortNumber();
        rules["local.image.port"] = BenchConfigParser::PortNumber();
    }
    return rules;
}

// A board takes the options of every detector it reaches.
Rules BoardRules(const std::string& boardName) {
    Rules rules;
    for (const BenchModel& model : BenchModel::All()) {
        if (model.boardName == boardName) {
            for (const auto& rule : DetectorRules(model)) {
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
    const std::vector<std::string> boards = BenchModel::BoardNames();
    if (!Contains(boards, boardName)) {
        throw BenchError("unknown board name \"" + boardName +
                         "\" (known: " + boost::algorithm::join(boards, ", ") + ")");
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
    const std::vector<std::string> detectors = BenchModel::DetectorNames();
    if (!Contains(detectors, detectorName)) {
        throw BenchError("unknown detector name \"" + detectorName +
                         "\" (known: " + boost::algorithm::join(detectors, ", ") + ")");
    }
    if (!parameter) {
        throw BenchError("scanning for " + detectorName + " needs a detector parameter");
    }
    if (detectors_.count(detectorName) == 0) {
        detectors_[detectorName].reset(new BenchConfigParser(
            "detector " + detectorName, DetectorRules(*BenchModel::OfDetectorName(detectorName))));
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
    const BenchModel& model = *BenchModel::OfDetectorName(detectorName);
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
