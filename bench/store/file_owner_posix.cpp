#include "bench/store/bench_error.h"
#include "bench/store/file_owner.h"

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velkor {
namespace bench {
namespace file_owner {

namespace fs = boost::filesystem;

namespace {

// "user alice (uid 1000)", or "uid 4242" for a user the system does not name.
std::string UserText(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry;
    passwd* found = nullptr;
    const std::string number = "uid " + std::to_string(uid);
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
        return "user " + std::string(found->pw_name) + " (" + number + ")";
    }
    return number;
}

// The folder itself, a link given for it followed (the bench folder may be one).
struct stat FolderStatus(const fs::path& folder) {
    struct stat status;
    if (::stat(folder.c_str(), &status) != 0) {
        throw BenchError("cannot examine " + folder.string() + ": " + std::strerror(errno));
    }
    return status;
}

fs::path ParentOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool IsFolder(const fs::path& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Makes `folder` in `parent`, as root for the parent's owner; one that is
// already there is taken as it is.
void MakeFolder(const fs::path& folder, const fs::path& parent) {
    if (::mkdir(folder.c_str(), 0777) != 0) {
        if (errno == EEXIST) {
            return;
        }
        throw BenchError("cannot create the folder " + folder.string() + ": " +
                         std::strerror(errno) + ForeignNote(parent));
    }
    const struct stat owner = FolderStatus(parent);
    struct stat made;
    if (::geteuid() != owner.st_uid && ::lchown(folder.c_str(), owner.st_uid, owner.st_gid) != 0 &&
        !(::lstat(folder.c_str(), &made) == 0 && made.st_uid == owner.st_uid)) {
        throw BenchError("cannot give the folder " + folder.string() + " to " +
                         UserText(owner.st_uid) + ": " + std::strerror(errno));
    }
}

} // namespace

void RequireMayWriteIn(const fs::path& folder) {
    const uid_t self = ::geteuid();
    const struct stat status = FolderStatus(folder);
    if (self != 0 && status.st_uid != self) {
        throw BenchError(folder.string() + " belongs to " + UserText(status.st_uid) +
                         ": only that user, or root, may change the bench's files in it");
    }
}

void CreateFolder(const fs::path& folder) {
    if (!IsFolder(folder)) {
        RequireMayWriteIn(ParentOf(folder));
        MakeFolder(folder, ParentOf(folder));
    }
}

void CreateFolders(const fs::path& folder) {
    if (!IsFolder(folder)) {
        CreateFolders(ParentOf(folder));
        MakeFolder(folder, ParentOf(folder));
    }
}

std::string ForeignNote(const fs::path& path) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || status.st_uid == ::geteuid()) {
        return std::string();
    }
    return " (it belongs to " + UserText(status.st_uid) + ")";
}

void GiveToOwnerOf(int fd, const fs::path& folder, const fs::path& file) {
    const struct stat owner = FolderStatus(folder);
    // A file system without owners of its own (FAT) has given it already.
    struct stat made;
    if (::geteuid() != owner.st_uid && ::fchown(fd, owner.st_uid, owner.st_gid) != 0 &&
        !(::fstat(fd, &made) == 0 && made.st_uid == owner.st_uid)) {
        throw BenchError("cannot give " + file.string() + " to " + UserText(owner.st_uid) + ": " +
                         std::strerror(errno));
    }
}

} // namespace file_owner
} // namespace bench
} // namespace velkor
