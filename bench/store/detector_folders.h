#pragma once

#include "bench/store/bench_catalogue.h"
#include "bench/store/detector_record.h"

#include <boost/filesystem/path.hpp>

namespace velkor {
namespace bench {

// The folders under detectors/ of the bench folder `bench`, one a detector.
// Only those bench.json names are detectors: the others are leftovers of
// killed or failed commands, or detectors just dropped. The bench follows no
// link it did not make: detectors/ and a detector's folder are its own
// folders, and a link in their place is refused with LinkText.

boost::filesystem::path DetectorsFolder(const boost::filesystem::path& bench);
boost::filesystem::path FolderOf(const boost::filesystem::path& bench, const CatalogueEntry& entry);
// Throws BenchError (LinkText) when `path` is a symbolic link.
void RefuseLink(const boost::filesystem::path& path);
// Whether the detector's folder is there as a folder of the bench's own (no link).
bool HasOwnFolder(const boost::filesystem::path& bench, const CatalogueEntry& entry);
// Throws BenchError with the reason when the detector is missing or damaged.
DetectorRecord LoadDetector(const boost::filesystem::path& bench, const CatalogueEntry& entry);
// A new folder holding the detector, named after its id and a random part so
// that a replaced detector never shares its folder; bench.json does not name
// it yet.
CatalogueEntry CreateDetectorFolder(const boost::filesystem::path& bench,
                                    const DetectorRecord& record);
// Removes the entries of detectors/ that `catalogue` does not name and that
// are the bench's own kind: a folder named as CreateDetectorFolder names them,
// a temporary file of atomic_file. Anything else is left as it is.
void DropLeftovers(const boost::filesystem::path& bench, const BenchCatalogue& catalogue);
// Removes the folders of the detectors `catalogue` names.
void DropFolders(const boost::filesystem::path& bench, const BenchCatalogue& catalogue);

} // namespace bench
} // namespace velkor
