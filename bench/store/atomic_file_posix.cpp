#include "bench/store/atomic_file.h"
#include "bench/store/file_owner.h"
#include "bench/text/bench_error.h"

#include <boost/core/noncopyable.hpp>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velkor {
namespace bench {
namespace atomic_file {

namespace {

// A refusal for want of rights says whose the file is.
[[noreturn]] void Fail(const std::string& what, const boost::filesystem::path& path, int error) {
    throw BenchError(what + " " + path.string() + ": " + std::strerror(error) +
                     (error == EACCES || error == EPERM ? file_owner::ForeignNote(path) : ""));
}

class Descriptor : private boost::noncopyable {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // close() reports late write errors, so its result counts.
    int release() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

void WriteAll(int fd, const unsigned char* data, std::size_t size,
              const boost::filesystem::path& path) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("cannot write", path, errno);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void SyncFolder(const boost::filesystem::path& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

} // namespace

void Write(const boost::filesystem::path& path, const Bytes& bytes, bool ownerOnly) {
    const boost::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : boost::filesystem::path(".");
    // The new file keeps the mode of the one it replaces (an owner-only file
    // never opens to others) and belongs to the owner of the folder.
    mode_t mode = ownerOnly ? 0600 : 0644;
    struct stat old;
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) {
            throw BenchError(LinkText(path));
        }
        mode = old.st_mode & (ownerOnly ? 0700 : 07777);
    }
    file_owner::RequireMayWriteIn(folder);
    std::string pattern = (folder / ("." + path.filename().string() + ".tmp-XXXXXX")).string();
    const int raw = ::mkstemp(&pattern[0]);
    if (raw < 0) {
        Fail("cannot create a temporary file beside", path, errno);
    }
    Descriptor fd(raw);
    const boost::filesystem::path temporary(pattern);
    try {
        file_owner::GiveToOwnerOf(fd.get(), folder, temporary);
        if (::fchmod(fd.get(), mode) != 0) {
            Fail("cannot set the mode of", temporary, errno);
        }
        WriteAll(fd.get(), bytes.data(), bytes.size(), temporary);
        if (::fsync(fd.get()) != 0) {
            Fail("cannot sync", temporary, errno);
        }
        if (fd.release() != 0) {
            Fail("cannot close", temporary, errno);
        }
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            Fail("cannot replace", path, errno);
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    SyncFolder(folder);
}

Bytes Read(const boost::filesystem::path& path, std::size_t maxSize) {
    // Never blocks on a pipe or a device put in a file's place, never reads
    // through a link.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (fd.get() < 0) {
        if (errno == ELOOP) {
            throw BenchError(LinkText(path));
        }
        Fail("cannot open", path, errno);
    }
    struct stat status;
    if (::fstat(fd.get(), &status) != 0) {
        Fail("cannot examine", path, errno);
    }
    if (!S_ISREG(status.st_mode)) {
        throw BenchError(path.string() + " is not a regular file");
    }
    return detail::ReadUpTo(path, maxSize, [&](unsigned char* buffer, std::size_t size) {
        for (;;) {
            const ssize_t count = ::read(fd.get(), buffer, size);
            if (count >= 0) {
                return static_cast<std::size_t>(count);
            }
            if (errno != EINTR) {
                Fail("cannot read", path, errno);
            }
        }
    });
}

} // namespace atomic_file
} // namespace bench
} // namespace velkor
