#pragma once

#include "bench/store/bench_catalogue.h"
#include "bench/store/exclusive_lock.h"

#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>

#include <chrono>

namespace velkor {
namespace bench {

// The locks of the bench folder `bench`. Each waits at most `timeout`, then
// throws BenchError saying who holds it.

// Held by the commands that change bench.json; creates the bench folder.
ExclusiveLock LockBench(const boost::filesystem::path& bench, std::chrono::milliseconds timeout);
// Held by a run from open to close, and by the commands that drop the detector.
ExclusiveLock LockDetector(const boost::filesystem::path& bench, const CatalogueEntry& entry,
                           std::chrono::milliseconds timeout);
// The detector's lock when nobody holds it and it can be taken at once;
// empty otherwise, whatever the reason.
boost::optional<ExclusiveLock> LockDetectorIfFree(const boost::filesystem::path& bench,
                                                  const CatalogueEntry& entry);

} // namespace bench
} // namespace velkor
