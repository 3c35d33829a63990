#include "bench/acquisition/bench_detector.h"

#include "bench/acquisition/bench_connection_extension.h"
#include "bench/acquisition/bench_file_extension.h"
#include "bench/acquisition/bench_network_config_extension.h"
#include "bench/acquisition/bench_wifi_extension.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/store/byte_text.h"

#include <boost/make_shared.hpp>

namespace velkor {
namespace bench {

namespace acq = mirl::acquisition;

BenchDetector::BenchDetector(std::string detectorName, std::string address,
                             boost::shared_ptr<BenchBoard> board)
    : detectorName_(std::move(detectorName)), address_(std::move(address)),
      board_(std::move(board)) {
    link_ = boost::make_shared<SessionLink>("the " + where() + " is not open");
    const BenchModel& model = *BenchModel::ForDetectorName(detectorName_).front();
    if (model.hasWifi) {
        wifi_ = boost::make_shared<BenchWifiExtension>(link_);
    }
}

BenchDetector::~BenchDetector() {
    link_->detach();
}

std::string BenchDetector::where() const {
    const BenchModel& model = *BenchModel::ForDetectorName(detectorName_).front();
    return detectorName_ + " detector at " + byte_text::Printable(model.path(address_));
}

boost::shared_ptr<acq::WifiIface> BenchDetector::getWifi() {
    if (link_->attached() && link_->session().state().hasFault("missing:wifi")) {
        return boost::shared_ptr<acq::WifiIface>();
    }
    return wifi_;
}

void BenchDetector::open(bool) {
    // The user's log shows why nobody answered, not only that open failed.
    link_->sayingWhy("open failed: ", [this] { attach(); });
}

void BenchDetector::attach() {
    if (link_->attached()) {
        throw BenchError("the " + where() + " is already open");
    }
    if (!board_->opened()) {
        throw BenchError("board " + board_->name() + " is not open");
    }
    const BenchModel& family = *BenchModel::ForDetectorName(detectorName_).front();
    const BenchStore store(BenchStore::DefaultRoot());
    const std::string nobody = "no " + detectorName_ + " detector answers at " +
                               byte_text::Printable(family.path(address_));

    // A damaged detector cannot say where it answers: it stays silent, and the
    // others answer as usual.
    const std::vector<DetectorEntry> entries = store.survey();
    std::vector<std::string> answering;
    std::string damaged;
    for (const DetectorEntry& entry : entries) {
        if (!entry.state) {
            damaged += "; detector " + byte_text::Printable(entry.id) +
                       " is damaged and silent: " + entry.damage;
            continue;
        }
        const DetectorState& state = *entry.state;
        if (state.model->detectorName == detectorName_ && state.address == address_ &&
            !state.hasFault("offline")) {
            answering.push_back(state.id);
        }
    }
    if (answering.empty()) {
        throw BenchError(nobody + (entries.empty() ? " (the bench at " + store.root().string() +
                                                         " is empty: velkor-bench init sets one up)"
                                                   : damaged));
    }
    if (answering.size() > 1) {
        throw BenchError(std::to_string(answering.size()) + " " + detectorName_ +
                         " detectors answer at " + byte_text::Printable(family.path(address_)) +
                         " (" + byte_text::Printable(answering[0]) + ", " +
                         byte_text::Printable(answering[1]) + "): address conflict");
    }

    std::unique_ptr<DetectorSession> session = store.open(answering.front());
    // Another run may have readdressed it while we waited for the lock.
    const DetectorState& state = session->state();
    if (state.address != address_ || state.hasFault("offline")) {
        throw BenchError(nobody);
    }
    const auto has = [&state](const std::string& extension) {
        return !state.hasFault("missing:" + extension);
    };
    const BenchModel& model = *state.model;
    extensions.clear();
    if (model.hasFile && has("file")) {
        extensions["file"] =
            boost::shared_ptr<acq::FileIface>(boost::make_shared<BenchFileExtension>(link_));
    }
    if (has("connection")) {
        extensions["connection"] = boost::shared_ptr<acq::ConnectionIface>(
            boost::make_shared<BenchConnectionExtension>(link_));
    }
    if (model.hasNetworkConfig && has("network_configuration")) {
        extensions["network_configuration"] = boost::shared_ptr<acq::NetworkConfigIface>(
            boost::make_shared<BenchNetworkConfigExtension>(link_));
    }
    const std::string id = state.id;
    link_->attach(std::move(session));
    link_->say("opened detector " + byte_text::Printable(id) + " (model " + model.name + ") at " +
               byte_text::Printable(family.path(address_)));
}

void BenchDetector::close() {
    if (link_->attached()) {
        link_->say("closed");
    }
    extensions.clear();
    link_->detach();
}

void BenchDetector::setMessageCallback(const acq::MessageCallback& callback) {
    link_->setCallback(callback);
}

} // namespace bench
} // namespace velkor
