#include "bench/store/detector_folders.h"

#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"
#include "bench/store/detector_session.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <vector>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

const char* const DetectorsFolderName = "detectors";

// The id in the characters a folder name may hold, and a random part.
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

fs::path DetectorsFolder(const fs::path& bench) {
    return bench / DetectorsFolderName;
}

fs::path FolderOf(const fs::path& bench, const CatalogueEntry& entry) {
    return DetectorsFolder(bench) / entry.folder;
}

DetectorRecord LoadDetector(const fs::path& bench, const CatalogueEntry& entry) {
    DetectorRecord record = DetectorSession::Load(FolderOf(bench, entry));
    if (record.state.id != entry.id) {
        throw BenchError(std::string(DetectorSession::RecordFileName) + " holds detector " +
                         byte_text::Printable(record.state.id));
    }
    return record;
}

CatalogueEntry CreateDetectorFolder(const fs::path& bench, const DetectorRecord& record) {
    const CatalogueEntry entry{record.state.id, FolderNameFor(record.state.id)};
    const fs::path folder = FolderOf(bench, entry);
    fs::create_directories(folder);
    try {
        atomic_file::WriteText(folder / DetectorSession::RecordFileName, record.toJson(), true);
    } catch (...) {
        boost::system::error_code ignored;
        fs::remove_all(folder, ignored);
        throw;
    }
    return entry;
}

void DropLeftovers(const fs::path& bench, const BenchCatalogue& catalogue) {
    boost::system::error_code error;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(DetectorsFolder(bench), error), end; !error && it != end;
         it.increment(error)) {
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

void DropFolders(const fs::path& bench, const BenchCatalogue& catalogue) {
    for (const CatalogueEntry& entry : catalogue.detectors) {
        boost::system::error_code ignored;
        fs::remove_all(FolderOf(bench, entry), ignored);
    }
}

} // namespace bench
} // namespace velkor
