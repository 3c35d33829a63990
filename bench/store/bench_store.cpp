#include "bench/store/bench_store.h"

#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"
#include "bench/store/factory_bench.h"
#include "bench/store/new_detector.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/range/adaptor/transformed.hpp>

#include <algorithm>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

const char* const kBenchFile = "bench.json";
const char* const kDetectorsFolder = "detectors";
const char* const kBenchLockFile = "lock";
const std::size_t kMaxBenchFileSize = 1024 * 1024;

std::string Damaged(const std::string& id, const std::string& reason) {
    return "detector " + bytetext::Printable(id) + " is damaged: " + reason;
}

// The folder name: the id in the characters a folder name may hold, and a
// random part, so that a replaced detector never shares its folder.
std::string FolderNameFor(const std::string& id) {
    std::string name;
    for (const char c : id) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name + fs::unique_path(".%%%%%%%%").string();
}

} // namespace

BenchStore::BenchStore(fs::path root) : root_(std::move(root)) {}

std::string BenchStore::gone(const std::string& id) const {
    return "no detector " + bytetext::Printable(id) + " on the bench at " + root_.string();
}

BenchCatalogue BenchStore::catalogue() const {
    const fs::path file = root_ / kBenchFile;
    boost::system::error_code error;
    if (!fs::exists(file, error)) {
        return BenchCatalogue();
    }
    try {
        return BenchCatalogue::FromJson(atomicfile::ReadText(file, kMaxBenchFileSize));
    } catch (const BenchError& malformed) {
        throw BenchError("the bench at " + root_.string() + " cannot be read (" + kBenchFile +
                         ": " + malformed.what() +
                         "): velkor-bench init --force sets up a new one");
    }
}

void BenchStore::saveCatalogue(const BenchCatalogue& catalogue) const {
    atomicfile::WriteText(root_ / kBenchFile, catalogue.toJson());
}

fs::path BenchStore::folderOf(const CatalogueEntry& entry) const {
    return root_ / kDetectorsFolder / entry.folder;
}

DetectorRecord BenchStore::load(const CatalogueEntry& entry) const {
    DetectorRecord record = DetectorSession::Load(folderOf(entry));
    if (record.state.id != entry.id) {
        throw BenchError(std::string(DetectorSession::kRecordFile) + " holds detector " +
                         bytetext::Printable(record.state.id));
    }
    return record;
}

bool BenchStore::empty() const {
    return catalogue().empty();
}

std::vector<DetectorEntry> BenchStore::survey() const {
    std::vector<DetectorEntry> entries;
    for (const CatalogueEntry& entry : catalogue().detectors) {
        try {
            entries.push_back(DetectorEntry{entry.id, load(entry).state, std::string()});
        } catch (const BenchError& damage) {
            entries.push_back(DetectorEntry{entry.id, boost::none, damage.what()});
        }
    }
    return entries;
}

std::vector<DetectorState> BenchStore::detectors() const {
    std::vector<DetectorState> states;
    for (const DetectorEntry& entry : survey()) {
        if (entry.state) {
            states.push_back(*entry.state);
        }
    }
    return states;
}

std::vector<ModulePlug> BenchStore::modules() const {
    return catalogue().modules;
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
    const BenchCatalogue named = catalogue();
    const CatalogueEntry* entry = named.find(id);
    if (entry == nullptr) {
        return boost::none;
    }
    try {
        return load(*entry).state;
    } catch (const BenchError& damage) {
        throw BenchError(Damaged(id, damage.what()));
    }
}

std::string BenchStore::resolve(const std::string& idOrAddress) const {
    if (catalogue().find(idOrAddress) != nullptr) {
        return idOrAddress;
    }
    const std::vector<DetectorEntry> entries = survey();
    std::vector<std::string> matches;
    std::vector<std::string> damaged;
    for (const DetectorEntry& entry : entries) {
        if (!entry.state) {
            damaged.push_back(entry.id);
        } else if (entry.state->address == idOrAddress) {
            matches.push_back(entry.id);
        }
    }
    if (matches.size() == 1) {
        return matches.front();
    }
    const auto join = [](const std::vector<std::string>& ids) {
        return boost::algorithm::join(ids | boost::adaptors::transformed([](const std::string& id) {
                                          return bytetext::Printable(id);
                                      }),
                                      ", ");
    };
    if (matches.empty()) {
        throw BenchError(
            gone(idOrAddress) +
            (entries.empty() ? " (it is empty: velkor-bench init sets one up)" : "") +
            (damaged.empty() ? "" : " (damaged, so not searched: " + join(damaged) + ")"));
    }
    throw BenchError("several detectors answer at " + bytetext::Printable(idOrAddress) + " (" +
                     join(matches) + "): name one by its id");
}

ExclusiveLock BenchStore::lockBench(std::chrono::milliseconds timeout) const {
    fs::create_directories(root_ / kDetectorsFolder);
    return ExclusiveLock(root_ / kBenchLockFile, timeout,
                         "the bench at " + root_.string() +
                             " is being changed by another command: gave up after " +
                             environment::DurationText(timeout),
                         "the bench folder " + root_.string() + " was removed");
}

ExclusiveLock BenchStore::lockDetector(const CatalogueEntry& entry,
                                       std::chrono::milliseconds timeout) const {
    const fs::path folder = folderOf(entry);
    boost::system::error_code error;
    if (!fs::is_directory(folder, error)) {
        throw BenchError(Damaged(entry.id, "its folder " + folder.string() + " is missing"));
    }
    // The folder can only vanish while we wait when the detector is removed.
    return ExclusiveLock(folder / DetectorSession::kLockFile, timeout,
                         "detector " + bytetext::Printable(entry.id) +
                             " is in use by another run: gave up after " +
                             environment::DurationText(timeout),
                         gone(entry.id));
}

std::unique_ptr<DetectorSession> BenchStore::open(const std::string& id,
                                                  std::chrono::milliseconds timeout) const {
    const BenchCatalogue before = catalogue();
    const CatalogueEntry* entry = before.find(id);
    if (entry == nullptr) {
        throw BenchError(gone(id));
    }
    ExclusiveLock lock = lockDetector(*entry, timeout);
    // The bench may have dropped or replaced it while we waited.
    const BenchCatalogue now = catalogue();
    const CatalogueEntry* still = now.find(id);
    if (still == nullptr || still->folder != entry->folder) {
        throw BenchError(gone(id));
    }
    try {
        DetectorRecord record = load(*entry);
        return std::unique_ptr<DetectorSession>(
            new DetectorSession(folderOf(*entry), std::move(lock), std::move(record)));
    } catch (const BenchError& damage) {
        throw BenchError(Damaged(id, damage.what()));
    }
}

CatalogueEntry BenchStore::createFolder(const DetectorRecord& record) const {
    const CatalogueEntry entry{record.state.id, FolderNameFor(record.state.id)};
    const fs::path folder = folderOf(entry);
    fs::create_directories(folder);
    try {
        atomicfile::WriteText(folder / DetectorSession::kRecordFile, record.toJson(), true);
    } catch (...) {
        boost::system::error_code ignored;
        fs::remove_all(folder, ignored);
        throw;
    }
    return entry;
}

void BenchStore::dropLeftovers(const BenchCatalogue& catalogue) const {
    const fs::path folders = root_ / kDetectorsFolder;
    boost::system::error_code error;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(folders, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool named =
            std::any_of(catalogue.detectors.begin(), catalogue.detectors.end(),
                        [&name](const CatalogueEntry& entry) { return entry.folder == name; });
        if (!named) {
            leftovers.push_back(it->path());
        }
    }
    for (const fs::path& leftover : leftovers) {
        boost::system::error_code ignored;
        fs::remove_all(leftover, ignored);
    }
}

void BenchStore::dropFolders(const BenchCatalogue& catalogue) const {
    for (const CatalogueEntry& entry : catalogue.detectors) {
        boost::system::error_code ignored;
        fs::remove_all(folderOf(entry), ignored);
    }
}

void BenchStore::init(bool force, std::chrono::milliseconds timeout) {
    boost::system::error_code error;
    if (!force && fs::exists(root_) && !fs::is_empty(root_, error)) {
        throw BenchError("a bench already exists at " + root_.string() +
                         ": velkor-bench init --force replaces it");
    }
    const ExclusiveLock benchLock = lockBench(timeout);
    BenchCatalogue old;
    try {
        old = catalogue();
    } catch (const BenchError&) {
        // Replaced whole: nothing of an unreadable bench is kept.
    }
    // Runs that hold a detector end before it goes.
    std::vector<ExclusiveLock> held;
    for (const CatalogueEntry& entry : old.detectors) {
        if (fs::is_directory(folderOf(entry), error)) {
            held.push_back(lockDetector(entry, timeout));
        }
    }
    BenchCatalogue fresh;
    try {
        for (const FactoryDetector& factory : factory::Detectors()) {
            const BenchModel& model = *BenchModel::Find(factory.model);
            const DetectorRecord record =
                NewDetector(model, model.name, factory.address,
                            factory.host ? boost::optional<std::string>(factory.host) : boost::none,
                            factory.link, "VK-" + model.name);
            fresh.detectors.push_back(createFolder(record));
        }
        std::sort(fresh.detectors.begin(), fresh.detectors.end(),
                  [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
        fresh.modules = factory::Modules();
        saveCatalogue(fresh);
    } catch (...) {
        dropFolders(fresh);
        throw;
    }
    dropLeftovers(fresh);
}

DetectorState BenchStore::add(const BenchModel& model, const std::string& address,
                              const boost::optional<std::string>& host,
                              const boost::optional<Link>& link,
                              std::chrono::milliseconds timeout) {
    const ExclusiveLock benchLock = lockBench(timeout);
    BenchCatalogue named = catalogue();
    for (const DetectorState& state : detectors()) {
        if (state.address == address) {
            throw BenchError(address + " is already answered by detector " + state.id);
        }
    }
    std::string id = model.name;
    for (int n = 2; named.find(id) != nullptr; ++n) {
        id = model.name + "-" + std::to_string(n);
    }
    const DetectorRecord record = NewDetector(model, id, address, host, link, "VK-" + id);
    BenchCatalogue added;
    added.detectors.push_back(createFolder(record));
    named.detectors.push_back(added.detectors.front());
    std::sort(named.detectors.begin(), named.detectors.end(),
              [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
    try {
        saveCatalogue(named);
    } catch (...) {
        dropFolders(added);
        throw;
    }
    dropLeftovers(named);
    return record.state;
}

void BenchStore::remove(const std::string& id, std::chrono::milliseconds timeout) {
    const ExclusiveLock benchLock = lockBench(timeout);
    BenchCatalogue named = catalogue();
    const CatalogueEntry* entry = named.find(id);
    if (entry == nullptr) {
        throw BenchError(gone(id));
    }
    boost::system::error_code error;
    // A run that holds the detector ends before it goes.
    boost::optional<ExclusiveLock> held;
    if (fs::is_directory(folderOf(*entry), error)) {
        held.emplace(lockDetector(*entry, timeout));
    }
    named.detectors.erase(named.detectors.begin() + (entry - named.detectors.data()));
    for (ModulePlug& plug : named.modules) {
        if (plug.detector == id) {
            plug.detector.clear();
        }
    }
    saveCatalogue(named);
    dropLeftovers(named);
}

void BenchStore::plug(const std::string& port, const std::string& detector,
                      std::chrono::milliseconds timeout) {
    if (port.empty() || std::any_of(port.begin(), port.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        throw BenchError("\"" + bytetext::Printable(port) + "\" is not a port name");
    }
    const ExclusiveLock benchLock = lockBench(timeout);
    BenchCatalogue named = catalogue();
    if (!detector.empty()) {
        const auto state = find(detector);
        if (!state) {
            throw BenchError(gone(detector));
        }
        if (!state->model->facesInfrared) {
            throw BenchError("a " + state->model->name + " has no infrared window");
        }
    }
    for (const ModulePlug& plug : named.modules) {
        if (!detector.empty() && plug.detector == detector && plug.port != port) {
            throw BenchError("detector " + detector + " already faces the module on " + plug.port);
        }
    }
    const auto existing =
        std::find_if(named.modules.begin(), named.modules.end(),
                     [&port](const ModulePlug& plug) { return plug.port == port; });
    if (existing == named.modules.end()) {
        named.modules.push_back(ModulePlug{port, detector});
    } else {
        existing->detector = detector;
    }
    saveCatalogue(named);
}

void BenchStore::unplug(const std::string& port, std::chrono::milliseconds timeout) {
    const ExclusiveLock benchLock = lockBench(timeout);
    BenchCatalogue named = catalogue();
    const auto existing =
        std::find_if(named.modules.begin(), named.modules.end(),
                     [&port](const ModulePlug& plug) { return plug.port == port; });
    if (existing == named.modules.end()) {
        throw BenchError("no infrared module is plugged on " + bytetext::Printable(port));
    }
    named.modules.erase(existing);
    saveCatalogue(named);
}

} // namespace bench
} // namespace velkor
