#include "bench/store/detector_folders.h"

#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"
#include "bench/store/detector_session.h"
#include "bench/store/file_owner.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <vector>

namespace velkor {
namespace bench {

namespace fs = boost::filesystem;

namespace {

const char* const DetectorsFolderName = "detectors";

const char* const RandomPart = ".%%%%%%%%";

bool IsPlain(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// The id in the characters a folder name may hold, and a random part.
std::string FolderNameFor(const std::string& id) {
    std::string name;
    for (const char c : id) {
        name += IsPlain(c) ? c : '_';
    }
    return name + fs::unique_path(RandomPart).string();
}

// A name FolderNameFor gives: plain characters, a dot, eight hexadecimal digits.
bool IsFolderNameOfADetector(const std::string& name) {
    const std::size_t random = std::string(RandomPart).size();
    if (name.size() <= random || name[name.size() - random] != '.') {
        return false;
    }
    const auto dot = name.end() - static_cast<std::ptrdiff_t>(random);
    return std::all_of(name.begin(), dot, IsPlain) && std::all_of(dot + 1, name.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

bool IsOwnFolder(const fs::path& path) {
    boost::system::error_code error;
    return fs::is_directory(fs::symlink_status(path, error));
}

} // namespace

fs::path DetectorsFolder(const fs::path& bench) {
    return bench / DetectorsFolderName;
}

fs::path FolderOf(const fs::path& bench, const CatalogueEntry& entry) {
    return DetectorsFolder(bench) / entry.folder;
}

void RefuseLink(const fs::path& path) {
    boost::system::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        throw BenchError(LinkText(path));
    }
}

bool HasOwnFolder(const fs::path& bench, const CatalogueEntry& entry) {
    return IsOwnFolder(DetectorsFolder(bench)) && IsOwnFolder(FolderOf(bench, entry));
}

DetectorRecord LoadDetector(const fs::path& bench, const CatalogueEntry& entry) {
    RefuseLink(DetectorsFolder(bench));
    RefuseLink(FolderOf(bench, entry));
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
    RefuseLink(DetectorsFolder(bench));
    file_owner::CreateFolder(folder);
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
    if (!IsOwnFolder(DetectorsFolder(bench))) {
        return;
    }
    for (fs::directory_iterator it(DetectorsFolder(bench), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool named =
            std::any_of(catalogue.detectors.begin(), catalogue.detectors.end(),
                        [&name](const CatalogueEntry& entry) { return entry.folder == name; });
        const fs::file_type type = it->symlink_status(error).type();
        const bool own = (type == fs::directory_file && IsFolderNameOfADetector(name)) ||
                         (type == fs::regular_file && atomic_file::IsTemporary(name));
        if (!named && own) {
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
        if (HasOwnFolder(bench, entry)) {
            boost::system::error_code ignored;
            fs::remove_all(FolderOf(bench, entry), ignored);
        }
    }
}

} // namespace bench
} // namespace velkor
