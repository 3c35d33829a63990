#include "bench/store/file_owner.h"

#include <boost/filesystem/operations.hpp>

namespace velkor {
namespace bench {
namespace file_owner {

// The bench lives in its user's own profile (%LOCALAPPDATA%): whoever may
// write there is its user.

void RequireMayWriteIn(const boost::filesystem::path&) {}

void CreateFolder(const boost::filesystem::path& folder) {
    boost::filesystem::create_directory(folder);
}

void CreateFolders(const boost::filesystem::path& folder) {
    boost::filesystem::create_directories(folder);
}

std::string ForeignNote(const boost::filesystem::path&) {
    return std::string();
}

} // namespace file_owner
} // namespace bench
} // namespace velkor
