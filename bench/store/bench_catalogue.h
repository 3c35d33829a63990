#pragma once

#include "bench/device/module_plug.h"

#include <string>
#include <vector>

namespace velkor {
namespace bench {

// A detector of the bench and the folder (below detectors/) that keeps it.
struct CatalogueEntry {
    std::string id;
    std::string folder;
};

// bench.json: which detectors the bench holds and which modules are plugged.
// Adding, removing or replacing detectors and (un)plugging modules each write
// it once, so each of those commands takes effect at one rename: a folder
// that bench.json does not name is a leftover, never a detector.
struct BenchCatalogue {
    std::vector<CatalogueEntry> detectors; // sorted by id
    std::vector<ModulePlug> modules;

    const CatalogueEntry* find(const std::string& id) const;
    bool empty() const { return detectors.empty() && modules.empty(); }

    std::string toJson() const;
    // Throws BenchError naming what is wrong with the text.
    static BenchCatalogue FromJson(const std::string& text);
};

} // namespace bench
} // namespace velkor
