#include "bench/store/bench_store.h"

#include "bench/store/address_text.h"
#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/detector_files.h"

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

const std::chrono::milliseconds BenchStore::kLockTimeout{3000};

namespace {

const char* const kBenchFile = "bench.json";
const char* const kDetectorsFolder = "detectors";
const char* const kBenchLockFile = "lock";
const std::uint16_t kFactoryDetectorValue = 0x00A5;

std::string Duration(std::chrono::milliseconds timeout) {
    if (timeout.count() % 1000 == 0) {
        const long seconds = static_cast<long>(timeout.count() / 1000);
        return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
    }
    return std::to_string(timeout.count()) + " ms";
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The usual peer of a 7180/7380: the neighbouring address.
std::string NeighbourOf(const AddressText::Quad& address) {
    AddressText::Quad host = address;
    host[3] = static_cast<std::uint8_t>(address[3] < 254 ? address[3] + 1 : address[3] - 1);
    return AddressText::Format(host);
}

// The usual peer of the other families: the first address of the /24.
std::string GatewayOf(const AddressText::Quad& address) {
    AddressText::Quad host = address;
    host[3] = address[3] == 1 ? 254 : 1;
    return AddressText::Format(host) + "/24";
}

std::string FactoryUserConfig(bool wifiOn) {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                       "<ucf>\n"
                       "  <wifi_enable>") +
           (wifiOn ? "01" : "00") +
           "</wifi_enable>\n"
           "  <wifi_channel>06</wifi_channel>\n"
           "  <standby_delay>1E</standby_delay>\n"
           "</ucf>\n";
}

bool ValidId(const std::string& id) {
    return !id.empty() && id[0] != '.' && id.find('/') == std::string::npos &&
           id.find('\0') == std::string::npos;
}

} // namespace

std::chrono::milliseconds BenchStore::LockTimeout() {
    const std::string text = Environment("VELKOR_BENCH_LOCK_TIMEOUT_MS");
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return kLockTimeout;
    }
    return std::chrono::milliseconds(std::stol(text));
}

fs::path BenchStore::DefaultRoot() {
    const std::string bench = Environment("VELKOR_BENCH");
    if (!bench.empty()) {
        return fs::path(bench);
    }
    const std::string state = Environment("XDG_STATE_HOME");
    if (!state.empty() && state[0] == '/') {
        return fs::path(state) / "velkor" / "bench";
    }
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid())) {
            home = user->pw_dir;
        }
    }
    return fs::path(home) / ".local" / "state" / "velkor" / "bench";
}

BenchStore::BenchStore(fs::path root) : root_(std::move(root)) {}

fs::path BenchStore::detectorFolder(const std::string& id) const {
    if (!ValidId(id)) {
        throw BenchError("\"" + id + "\" is not a detector id");
    }
    return root_ / kDetectorsFolder / id;
}

bool BenchStore::empty() const {
    return detectors().empty() && modules().empty();
}

std::vector<DetectorState> BenchStore::detectors() const {
    std::vector<DetectorState> states;
    const fs::path folder = root_ / kDetectorsFolder;
    boost::system::error_code error;
    if (!fs::is_directory(folder, error)) {
        return states;
    }
    for (fs::directory_iterator it(folder), end; it != end; ++it) {
        const std::string id = it->path().filename().string();
        const fs::path stateFile = it->path() / DetectorSession::kStateFile;
        if (!ValidId(id) || !fs::exists(stateFile)) {
            continue; // a detector being added or removed
        }
        std::istringstream text(AtomicFile::ReadText(stateFile));
        pt::ptree tree;
        try {
            pt::read_json(text, tree);
        } catch (const pt::ptree_error& failure) {
            throw BenchError("malformed " + stateFile.string() + ": " + failure.what());
        }
        states.push_back(DetectorState::FromTree(tree));
    }
    std::sort(states.begin(), states.end(),
              [](const DetectorState& a, const DetectorState& b) { return a.id < b.id; });
    return states;
}

std::vector<ModulePlug> BenchStore::modules() const {
    std::vector<ModulePlug> plugs;
    const fs::path file = root_ / kBenchFile;
    if (!fs::exists(file)) {
        return plugs;
    }
    std::istringstream text(AtomicFile::ReadText(file));
    try {
        pt::ptree tree;
        pt::read_json(text, tree);
        if (const auto list = tree.get_child_optional("modules")) {
            for (const auto& entry : *list) {
                plugs.push_back(ModulePlug{entry.second.get<std::string>("port"),
                                           entry.second.get<std::string>("detector", "")});
            }
        }
    } catch (const pt::ptree_error& failure) {
        throw BenchError("malformed " + file.string() + ": " + failure.what());
    }
    return plugs;
}

boost::optional<ModulePlug> BenchStore::module(const std::string& port) const {
    for (const ModulePlug& plug : modules()) {
        if (plug.port == port) {
            return plug;
        }
    }
    return boost::none;
}

boost::optional<DetectorState> BenchStore::find(const std::string& id) const {
    for (DetectorState& state : detectors()) {
        if (state.id == id) {
            return state;
        }
    }
    return boost::none;
}

DetectorState BenchStore::resolve(const std::string& idOrAddress) const {
    const std::vector<DetectorState> states = detectors();
    std::vector<DetectorState> matches;
    for (const DetectorState& state : states) {
        if (state.id == idOrAddress) {
            return state;
        }
        if (state.address == idOrAddress) {
            matches.push_back(state);
        }
    }
    if (matches.size() == 1) {
        return matches.front();
    }
    if (matches.empty()) {
        throw BenchError("no detector " + idOrAddress + " on the bench at " + root_.string() +
                         (states.empty() ? " (it is empty: velkor-bench init sets one up)" : ""));
    }
    std::string ids;
    for (const DetectorState& state : matches) {
        ids += (ids.empty() ? "" : ", ") + state.id;
    }
    throw BenchError("several detectors answer at " + idOrAddress + " (" + ids +
                     "): name one by its id");
}

std::unique_ptr<DetectorSession> BenchStore::open(const std::string& id,
                                                  std::chrono::milliseconds timeout) const {
    const fs::path folder = detectorFolder(id);
    const std::string gone = "no detector " + id + " on the bench at " + root_.string();
    if (!fs::exists(folder / DetectorSession::kStateFile)) {
        throw BenchError(gone);
    }
    ExclusiveLock lock(
        folder / DetectorSession::kLockFile, timeout,
        "detector " + id + " is in use by another run: gave up after " + Duration(timeout), gone);
    return std::unique_ptr<DetectorSession>(new DetectorSession(folder, std::move(lock)));
}

ExclusiveLock BenchStore::lockBench(std::chrono::milliseconds timeout) const {
    fs::create_directories(root_ / kDetectorsFolder);
    return ExclusiveLock(root_ / kBenchLockFile, timeout,
                         "the bench at " + root_.string() +
                             " is being changed by another command: gave up after " +
                             Duration(timeout),
                         "the bench folder " + root_.string() + " was removed");
}

void BenchStore::saveModules(const std::vector<ModulePlug>& modules) const {
    pt::ptree list;
    for (const ModulePlug& plug : modules) {
        pt::ptree entry;
        entry.put("port", plug.port);
        entry.put("detector", plug.detector);
        list.push_back(std::make_pair("", entry));
    }
    pt::ptree tree;
    tree.put("format", 1);
    tree.add_child("modules", list);
    std::ostringstream text;
    pt::write_json(text, tree);
    AtomicFile::WriteText(root_ / kBenchFile, text.str());
}

DetectorState BenchStore::create(const BenchModel& model, const std::string& id,
                                 const std::string& address,
                                 const boost::optional<std::string>& host,
                                 const boost::optional<Link>& link, const std::string& ssid) const {
    const auto quad = AddressText::Parse(address);
    if (!quad) {
        throw BenchError("\"" + address + "\" is not a dotted address");
    }
    if (link && *link == Link::Wifi && !model.hasWifi) {
        throw BenchError("a " + model.name + " has no Wi-Fi: its link is a cable");
    }
    DetectorState state;
    state.id = id;
    state.model = &model;
    state.address = address;
    state.link = link.value_or(Link::Cable);

    Bytes file;
    if (model.family == Family::Vk6080K) {
        if (host) {
            throw BenchError("a 6080K keeps no host address");
        }
        file = DetectorFiles::MakeInterfaceFile(*quad);
    } else if (model.family == Family::Vk7x80) {
        const std::string peer = host.value_or(NeighbourOf(*quad));
        const auto peerQuad = AddressText::Parse(peer);
        if (!peerQuad) {
            throw BenchError("a " + model.name + " takes a dotted host address, not \"" + peer +
                             "\"");
        }
        file = DetectorFiles::MakeRegisterFile(*quad, *peerQuad);
    } else {
        const std::string peer = host.value_or(GatewayOf(*quad));
        if (!AddressText::IsCidr(peer)) {
            throw BenchError("a " + model.name +
                             " takes a host address with a prefix length, not \"" + peer + "\"");
        }
        state.storedAddress = address;
        state.detectorValue = kFactoryDetectorValue;
        state.hostAddress = peer;
        // The ports the detector derives from its address, as its peer does.
        state.commandPort = static_cast<std::uint16_t>(2043 + (*quad)[3]);
        state.imagePort = static_cast<std::uint16_t>(5998 + (*quad)[3]);
        state.ssid = model.hasWifi ? ssid : std::string();
    }

    const fs::path folders = root_ / kDetectorsFolder;
    const fs::path building = folders / fs::unique_path(".new-" + id + "-%%%%%%%%");
    fs::create_directories(building);
    try {
        if (!file.empty()) {
            AtomicFile::Write(building / DetectorSession::FileName(model.fileNumber), file);
        }
        if (model.hasWifi) {
            AtomicFile::WriteText(building / DetectorSession::kUserConfigFile,
                                  FactoryUserConfig(true));
        }
        std::ostringstream text;
        pt::write_json(text, state.toTree());
        AtomicFile::WriteText(building / DetectorSession::kStateFile, text.str());
        // The detector appears whole or not at all.
        fs::rename(building, folders / id);
    } catch (...) {
        boost::system::error_code ignored;
        fs::remove_all(building, ignored);
        throw;
    }
    return state;
}

void BenchStore::discard(const std::string& id, std::chrono::milliseconds timeout) const {
    std::unique_ptr<DetectorSession> session = open(id, timeout);
    const fs::path removed =
        root_ / kDetectorsFolder / fs::unique_path(".removed-" + id + "-%%%%%%%%");
    fs::rename(session->folder(), removed);
    session.reset();
    boost::system::error_code ignored;
    fs::remove_all(removed, ignored);
}

void BenchStore::init(bool force, std::chrono::milliseconds timeout) {
    boost::system::error_code error;
    if (!force && fs::exists(root_) && !fs::is_empty(root_, error)) {
        throw BenchError("a bench already exists at " + root_.string() +
                         ": velkor-bench init --force replaces it");
    }
    const ExclusiveLock lock = lockBench(timeout);
    for (const DetectorState& state : detectors()) {
        discard(state.id, timeout);
    }
    struct Factory {
        const char* model;
        const char* address;
        const char* host;
        Link link;
    };
    const Factory factory[] = {
        {"6080K", "192.168.0.2", nullptr, Link::Cable},
        {"7380", "192.168.37.130", "192.168.37.131", Link::Cable},
        {"7180", "10.0.37.130", "10.0.37.131", Link::Cable},
        {"6080QL", "192.168.1.20", "192.168.1.1/24", Link::Cable},
        {"4050QL", "192.168.2.20", "192.168.2.1/24", Link::Wifi},
        {"7380TW", "10.0.0.20", "10.0.0.1/16", Link::Cable},
        {"6080MV", "192.168.3.20", "192.168.3.1/24", Link::Cable},
    };
    for (const Factory& entry : factory) {
        const BenchModel& model = *BenchModel::Find(entry.model);
        create(model, model.name, entry.address,
               entry.host ? boost::optional<std::string>(entry.host) : boost::none, entry.link,
               "VK-" + model.name);
    }
    saveModules({ModulePlug{"COM3", "6080QL"}});
}

DetectorState BenchStore::add(const BenchModel& model, const std::string& address,
                              const boost::optional<std::string>& host,
                              const boost::optional<Link>& link,
                              std::chrono::milliseconds timeout) {
    const ExclusiveLock lock = lockBench(timeout);
    const std::vector<DetectorState> states = detectors();
    for (const DetectorState& state : states) {
        if (state.address == address) {
            throw BenchError(address + " is already answered by detector " + state.id);
        }
    }
    std::string id = model.name;
    for (int n = 2; std::any_of(states.begin(), states.end(),
                                [&id](const DetectorState& state) { return state.id == id; });
         ++n) {
        id = model.name + "-" + std::to_string(n);
    }
    return create(model, id, address, host, link, "VK-" + id);
}

void BenchStore::remove(const std::string& id, std::chrono::milliseconds timeout) {
    const ExclusiveLock lock = lockBench(timeout);
    discard(id, timeout);
    std::vector<ModulePlug> plugs = modules();
    for (ModulePlug& plug : plugs) {
        if (plug.detector == id) {
            plug.detector.clear();
        }
    }
    saveModules(plugs);
}

void BenchStore::plug(const std::string& port, const std::string& detector,
                      std::chrono::milliseconds timeout) {
    if (port.empty() || std::any_of(port.begin(), port.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        throw BenchError("\"" + port + "\" is not a port name");
    }
    const ExclusiveLock lock = lockBench(timeout);
    if (!detector.empty()) {
        const auto state = find(detector);
        if (!state) {
            throw BenchError("no detector " + detector + " on the bench at " + root_.string());
        }
        if (!state->model->facesInfrared) {
            throw BenchError("a " + state->model->name + " has no infrared window");
        }
    }
    std::vector<ModulePlug> plugs = modules();
    for (const ModulePlug& plug : plugs) {
        if (!detector.empty() && plug.detector == detector && plug.port != port) {
            throw BenchError("detector " + detector + " already faces the module on " + plug.port);
        }
    }
    const auto existing = std::find_if(
        plugs.begin(), plugs.end(), [&port](const ModulePlug& plug) { return plug.port == port; });
    if (existing == plugs.end()) {
        plugs.push_back(ModulePlug{port, detector});
    } else {
        existing->detector = detector;
    }
    saveModules(plugs);
}

void BenchStore::unplug(const std::string& port, std::chrono::milliseconds timeout) {
    const ExclusiveLock lock = lockBench(timeout);
    std::vector<ModulePlug> plugs = modules();
    const auto existing = std::find_if(
        plugs.begin(), plugs.end(), [&port](const ModulePlug& plug) { return plug.port == port; });
    if (existing == plugs.end()) {
        throw BenchError("no infrared module is plugged on " + port);
    }
    plugs.erase(existing);
    saveModules(plugs);
}

} // namespace bench
} // namespace velkor
