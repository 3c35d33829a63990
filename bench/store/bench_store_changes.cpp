#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_locks.h"
#include "bench/store/bench_store.h"
#include "bench/store/byte_text.h"
#include "bench/store/catalogue_file.h"
#include "bench/store/detector_folders.h"
#include "bench/store/detector_session.h"
#include "bench/store/factory_bench.h"
#include "bench/store/new_detector.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>

// The commands that change bench.json: each holds the bench's lock, stores
// the new bench.json in one rename and only then drops what it no longer names.

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

void SortById(BenchCatalogue& catalogue) {
    std::sort(catalogue.detectors.begin(), catalogue.detectors.end(),
              [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
}

// Whether the folder holds anything but what taking the bench's lock makes:
// the lock file and an empty detectors/.
bool HoldsMoreThanALock(const fs::path& bench) {
    boost::system::error_code error;
    for (fs::directory_iterator it(bench, error), end; !error && it != end; it.increment(error)) {
        const fs::path name = it->path().filename();
        const bool emptyDetectors = name == DetectorsFolder(bench).filename() &&
                                    fs::is_directory(it->symlink_status(error)) &&
                                    fs::is_empty(it->path(), error);
        if (name != "lock" && !emptyDetectors) {
            return true;
        }
    }
    return false;
}

// The temporary files that killed writes left: bench.json's, and those of
// each detector that no run holds now (a run's next change removes its own).
// Under the bench's lock.
void SweepTemporaries(const fs::path& bench, const BenchCatalogue& catalogue) {
    atomic_file::RemoveTemporaries(bench, "bench.json");
    for (const CatalogueEntry& entry : catalogue.detectors) {
        if (const auto lock = LockDetectorIfFree(bench, entry)) {
            atomic_file::RemoveTemporaries(FolderOf(bench, entry), DetectorSession::RecordFileName);
        }
    }
}

// A run that holds the detector ends before it goes. A detector whose folder
// or lock is not the bench's own (a link) can be held by no run.
boost::optional<ExclusiveLock> WaitForRuns(const fs::path& bench, const CatalogueEntry& entry,
                                           std::chrono::milliseconds timeout) {
    boost::system::error_code error;
    if (!HasOwnFolder(bench, entry) ||
        fs::is_symlink(
            fs::symlink_status(FolderOf(bench, entry) / DetectorSession::LockFile, error))) {
        return boost::none;
    }
    return LockDetector(bench, entry, timeout);
}

} // namespace

void BenchStore::init(bool force, std::chrono::milliseconds timeout) {
    const std::string exists =
        "a bench already exists at " + root_.string() + ": velkor-bench init --force replaces it";
    boost::system::error_code error;
    // Refused before the lock too, so that nothing is made in a folder that
    // holds something else.
    if (!force && fs::exists(root_) && !fs::is_empty(root_, error)) {
        throw BenchError(exists);
    }
    const ExclusiveLock benchLock = LockBench(root_, timeout);
    // Another init may have set one up while this one waited for the lock.
    if (!force && HoldsMoreThanALock(root_)) {
        throw BenchError(exists);
    }
    BenchCatalogue old;
    try {
        old = ReadCatalogue(root_);
    } catch (const BenchError&) {
        // Replaced whole: nothing of an unreadable bench is kept.
    }
    std::vector<ExclusiveLock> held;
    for (const CatalogueEntry& entry : old.detectors) {
        if (auto lock = WaitForRuns(root_, entry, timeout)) {
            held.push_back(std::move(*lock));
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
            fresh.detectors.push_back(CreateDetectorFolder(root_, record));
        }
        SortById(fresh);
        fresh.modules = factory::Modules();
        WriteCatalogue(root_, fresh);
    } catch (...) {
        DropFolders(root_, fresh);
        throw;
    }
    // The old detectors are gone from bench.json: a run that waited for one
    // finds it gone. Their locks go first, since Windows removes no folder
    // that holds an open file.
    held.clear();
    DropLeftovers(root_, fresh);
    SweepTemporaries(root_, fresh);
}

DetectorState BenchStore::add(const BenchModel& model, const std::string& address,
                              const boost::optional<std::string>& host,
                              const boost::optional<Link>& link,
                              std::chrono::milliseconds timeout) {
    const ExclusiveLock benchLock = LockBench(root_, timeout);
    BenchCatalogue named = ReadCatalogue(root_);
    for (const DetectorState& state : detectors()) {
        if (state.address == address) {
            throw BenchError(byte_text::Printable(address) + " is already answered by detector " +
                             byte_text::Printable(state.id));
        }
    }
    std::string id = model.name;
    for (int n = 2; named.find(id) != nullptr; ++n) {
        id = model.name + "-" + std::to_string(n);
    }
    const DetectorRecord record = NewDetector(model, id, address, host, link, "VK-" + id);
    BenchCatalogue added;
    added.detectors.push_back(CreateDetectorFolder(root_, record));
    named.detectors.push_back(added.detectors.front());
    SortById(named);
    try {
        WriteCatalogue(root_, named);
    } catch (...) {
        DropFolders(root_, added);
        throw;
    }
    DropLeftovers(root_, named);
    SweepTemporaries(root_, named);
    return record.state;
}

void BenchStore::remove(const std::string& id, std::chrono::milliseconds timeout) {
    const ExclusiveLock benchLock = LockBench(root_, timeout);
    BenchCatalogue named = ReadCatalogue(root_);
    const CatalogueEntry* entry = named.find(id);
    if (entry == nullptr) {
        throw BenchError(NoDetectorText(root_, id));
    }
    boost::optional<ExclusiveLock> held = WaitForRuns(root_, *entry, timeout);
    named.detectors.erase(named.detectors.begin() + (entry - named.detectors.data()));
    for (ModulePlug& plug : named.modules) {
        if (plug.detector == id) {
            plug.detector.clear();
        }
    }
    WriteCatalogue(root_, named);
    held.reset(); // before the folder goes (see init)
    DropLeftovers(root_, named);
    SweepTemporaries(root_, named);
}

void BenchStore::plug(const std::string& port, const std::string& detector,
                      std::chrono::milliseconds timeout) {
    if (port.empty() || std::any_of(port.begin(), port.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        throw BenchError("\"" + byte_text::Printable(port) + "\" is not a port name");
    }
    const ExclusiveLock benchLock = LockBench(root_, timeout);
    BenchCatalogue named = ReadCatalogue(root_);
    if (!detector.empty()) {
        const auto state = find(detector);
        if (!state) {
            throw BenchError(NoDetectorText(root_, detector));
        }
        if (!state->model->facesInfrared) {
            throw BenchError("a " + state->model->name + " has no infrared window");
        }
    }
    for (const ModulePlug& plug : named.modules) {
        if (!detector.empty() && plug.detector == detector && plug.port != port) {
            throw BenchError("detector " + byte_text::Printable(detector) +
                             " already faces the module on " + byte_text::Printable(plug.port));
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
    WriteCatalogue(root_, named);
    SweepTemporaries(root_, named);
}

void BenchStore::unplug(const std::string& port, std::chrono::milliseconds timeout) {
    const ExclusiveLock benchLock = LockBench(root_, timeout);
    BenchCatalogue named = ReadCatalogue(root_);
    const auto existing =
        std::find_if(named.modules.begin(), named.modules.end(),
                     [&port](const ModulePlug& plug) { return plug.port == port; });
    if (existing == named.modules.end()) {
        throw BenchError("no infrared module is plugged on " + byte_text::Printable(port));
    }
    named.modules.erase(existing);
    WriteCatalogue(root_, named);
    SweepTemporaries(root_, named);
}
} // namespace bench
} // namespace velkor
