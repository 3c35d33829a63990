#include "bench/store/bench_store.h"

#include "bench/store/bench_locks.h"
#include "bench/store/catalogue_file.h"
#include "bench/store/detector_folders.h"
#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"
#include "cli/closest_name.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/range/adaptor/transformed.hpp>

namespace velkor {
namespace bench {

BenchStore::BenchStore(boost::filesystem::path root) : root_(std::move(root)) {}

bool BenchStore::empty() const {
    return ReadCatalogue(root_).empty();
}

std::vector<DetectorEntry> BenchStore::survey() const {
    std::vector<DetectorEntry> entries;
    for (const CatalogueEntry& entry : ReadCatalogue(root_).detectors) {
        try {
            entries.push_back(
                DetectorEntry{entry.id, LoadDetector(root_, entry).state, std::string()});
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
    return ReadCatalogue(root_).modules;
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
    const BenchCatalogue named = ReadCatalogue(root_);
    const CatalogueEntry* entry = named.find(id);
    if (entry == nullptr) {
        return boost::none;
    }
    try {
        return LoadDetector(root_, *entry).state;
    } catch (const BenchError& damage) {
        throw BenchError(DamagedText(id, damage.what()));
    }
}

std::string BenchStore::resolve(const std::string& idOrAddress, bool showWord) const {
    if (ReadCatalogue(root_).find(idOrAddress) != nullptr) {
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
                                          return byte_text::Printable(id);
                                      }),
                                      ", ");
    };
    if (matches.empty()) {
        std::vector<std::string> ids;
        for (const DetectorEntry& entry : entries) {
            ids.push_back(entry.id);
        }
        throw BenchError(
            (showWord ? NoDetectorText(root_, idOrAddress) + cli::DidYouMean(idOrAddress, ids)
                      : "no detector of that id or address on the bench at " + root_.string() +
                            " (the word is not repeated here, in case it is a password)") +
            (entries.empty() ? " (it is empty: velkor-bench init sets one up)" : "") +
            (damaged.empty() ? "" : " (damaged, so not searched: " + join(damaged) + ")"));
    }
    throw BenchError("several detectors answer at " +
                     (showWord ? byte_text::Printable(idOrAddress) : "that address") + " (" +
                     join(matches) + "): name one by its id");
}

std::unique_ptr<DetectorSession> BenchStore::open(const std::string& id,
                                                  std::chrono::milliseconds timeout) const {
    const BenchCatalogue before = ReadCatalogue(root_);
    const CatalogueEntry* entry = before.find(id);
    if (entry == nullptr) {
        throw BenchError(NoDetectorText(root_, id));
    }
    ExclusiveLock lock = LockDetector(root_, *entry, timeout);
    // The bench may have dropped or replaced it while we waited.
    const BenchCatalogue now = ReadCatalogue(root_);
    const CatalogueEntry* still = now.find(id);
    if (still == nullptr || still->folder != entry->folder) {
        throw BenchError(NoDetectorText(root_, id));
    }
    try {
        DetectorRecord record = LoadDetector(root_, *entry);
        return std::unique_ptr<DetectorSession>(
            new DetectorSession(FolderOf(root_, *entry), std::move(lock), std::move(record)));
    } catch (const BenchError& damage) {
        throw BenchError(DamagedText(id, damage.what()));
    }
}

} // namespace bench
} // namespace velkor
