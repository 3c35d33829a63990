#pragma once

#include "bench/store/bench_catalogue.h"
#include "bench/store/detector_record.h"

#include <boost/filesystem/path.hpp>

namespace velkor {
namespace bench {

// The folders under detectors/ of the bench folder `bench`, one a detector.
// Only those bench.json names are detectors: the others are leftovers of
// killed or failed commands, or detectors just dropped.

boost::filesystem::path DetectorsFolder(const boost::filesystem::path& bench);
boost::filesystem::path FolderOf(const boost::filesystem::path& bench, const CatalogueEntry& entry);
// Throws BenchError with the reason when the detector is missing or damaged.
DetectorRecord LoadDetector(const boost::filesystem::path& bench, const CatalogueEntry& entry);
// A new folder holding the detector, named after its id and a random part so
// that a replaced detector never shares its folder; bench.json does not name
// it yet.
CatalogueEntry CreateDetectorFolder(const boost::filesystem::path& bench,
                                    const DetectorRecord& record);
// Removes the folders `catalogue` does not name.
void DropLeftovers(const boost::filesystem::path& bench, const BenchCatalogue& catalogue);
// Removes the folders of the detectors `catalogue` names.
void DropFolders(const boost::filesystem::path& bench, const BenchCatalogue& catalogue);

} // namespace bench
} // namespace velkor
