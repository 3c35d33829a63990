#include "platform/tools/testing/scratch_folder.h"

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

namespace tools_testing {

ScratchFolder::ScratchFolder(const std::string& prefix)
    : dir_(fs::temp_directory_path() / fs::unique_path(prefix + "-%%%%-%%%%-%%%%")) {
    fs::create_directories(dir_);
}

ScratchFolder::~ScratchFolder() {
    boost::system::error_code ignored;
    fs::permissions(dir_, fs::owner_all | fs::add_perms, ignored);
    fs::remove_all(dir_, ignored);
}

} // namespace tools_testing
