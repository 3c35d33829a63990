#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

namespace velkor {
namespace bench {

// Whom the bench's files belong to. Everything the bench writes or creates
// belongs to the owner of the folder it is in, so that a bench stays its
// owner's whoever ran: only that owner may write there, or root, which hands
// what it writes to that owner (POSIX). Windows keeps the bench in its
// user's own profile, so there the owner is always the user.
namespace file_owner {

// Throws BenchError naming the owner unless this process may write entries of
// `folder`: it runs as the folder's owner, or as root.
void RequireMayWriteIn(const boost::filesystem::path& folder);
// Creates the folder `folder` of the bench (its parent must be there), as
// RequireMayWriteIn allows; one that is there already is taken as it is.
void CreateFolder(const boost::filesystem::path& folder);
// Creates `folder` and the folders above it that are missing (the way to a
// bench folder), each belonging to the owner of the folder it is made in.
void CreateFolders(const boost::filesystem::path& folder);
// " (it belongs to user NAME, uid N)" when `path` belongs to another user
// than this process's; empty otherwise. Said beside "Permission denied".
std::string ForeignNote(const boost::filesystem::path& path);

#ifndef _WIN32
// As root, gives the open file `fd`, made in `folder`, to the folder's owner.
void GiveToOwnerOf(int fd, const boost::filesystem::path& folder,
                   const boost::filesystem::path& file);
#endif

} // namespace file_owner
} // namespace bench
} // namespace velkor
