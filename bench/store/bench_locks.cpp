#include "bench/store/bench_locks.h"

#include "bench/store/bench_environment.h"
#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"
#include "bench/store/detector_folders.h"
#include "bench/store/detector_session.h"
#include "bench/store/file_owner.h"

#include <boost/filesystem/operations.hpp>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

const char* const BenchLockFile = "lock";

} // namespace

ExclusiveLock LockBench(const fs::path& bench, std::chrono::milliseconds timeout) {
    file_owner::CreateFolders(bench);
    RefuseLink(DetectorsFolder(bench));
    file_owner::CreateFolder(DetectorsFolder(bench));
    return ExclusiveLock(bench / BenchLockFile, timeout,
                         "the bench at " + bench.string() +
                             " is being changed by another command: gave up after " +
                             environment::DurationText(timeout),
                         "the bench folder " + bench.string() + " was removed");
}

ExclusiveLock LockDetector(const fs::path& bench, const CatalogueEntry& entry,
                           std::chrono::milliseconds timeout) {
    const fs::path folder = FolderOf(bench, entry);
    RefuseLink(DetectorsFolder(bench));
    RefuseLink(folder);
    boost::system::error_code error;
    if (!fs::is_directory(folder, error)) {
        throw BenchError(DamagedText(entry.id, "its folder " + folder.string() + " is missing"));
    }
    // The folder can only vanish while we wait when the detector is removed.
    return ExclusiveLock(folder / DetectorSession::LockFile, timeout,
                         "detector " + byte_text::Printable(entry.id) +
                             " is in use by another run: gave up after " +
                             environment::DurationText(timeout),
                         NoDetectorText(bench, entry.id));
}

boost::optional<ExclusiveLock> LockDetectorIfFree(const fs::path& bench,
                                                  const CatalogueEntry& entry) {
    try {
        return LockDetector(bench, entry, std::chrono::milliseconds(0));
    } catch (const BenchError&) {
        return boost::none;
    }
}

} // namespace bench
} // namespace velkor
