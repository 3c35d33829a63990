#include "platform/tools/logger.h"

#include "platform/tools/printable_text.h"

#include <boost/core/noncopyable.hpp>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <iomanip>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace mirl {
namespace tools {

std::ostream& operator<<(std::ostream& stream, const loglevel& level) {
    return stream << level.mark() << ' ';
}

logger& logger::manager() {
    static logger instance;
    return instance;
}

void logger::addprefix(const std::string& name, const prefix& function) {
    prefixes_[name] = function;
}

void logger::addsink(const std::string& name, const sink& function) {
    sinks_[name] = function;
}

void logger::removesink(const std::string& name) {
    sinks_.erase(name);
}

void logger::clear() {
    prefixes_.clear();
    sinks_.clear();
}

bool logger::empty_sink() const {
    return sinks_.empty();
}

void logger::log(const std::string& text) {
    if (sinks_.empty()) {
        return;
    }
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    if (line.empty()) {
        return;
    }
    // A message that carries line ends (a library's text) must still be one log line.
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    // Texts from a library or a stored file may hold terminal commands or
    // bytes that are not UTF-8: neither the log nor its console copy may be
    // rewritten by them.
    line = PrintableText(line);
    for (auto& entry : prefixes_) {
        try {
            entry.second(line);
        } catch (...) {
            // A failing prefix must not cost the message.
        }
    }
    line += '\n';
    for (auto& entry : sinks_) {
        try {
            entry.second(line);
        } catch (...) {
            // Logging never throws into the code that logs.
        }
    }
}

namespace {

// The local time of `seconds`, and its offset from UTC in seconds. strftime's
// "%z" is not portable (one runtime writes the zone's name), so the offset is
// the difference between the local time read as UTC and the instant itself.
std::tm LocalTime(std::time_t seconds, long& offset) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
    std::tm copy = local;
    offset = static_cast<long>(_mkgmtime(&copy) - seconds);
#else
    localtime_r(&seconds, &local);
    std::tm copy = local;
    offset = static_cast<long>(timegm(&copy) - seconds);
#endif
    return local;
}

} // namespace

void timeprefix(std::string& text) {
    using clock = std::chrono::system_clock;
    const clock::time_point now = clock::now();
    const std::time_t seconds = clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    long offset = 0;
    const std::tm local = LocalTime(seconds, offset);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    std::ostringstream stamp;
    stamp << date << '.' << std::setw(3) << std::setfill('0') << millis << (offset < 0 ? '-' : '+')
          << std::setw(2) << minutes / 60 << ':' << std::setw(2) << minutes % 60 << ' ';
    text.insert(0, stamp.str());
}

#ifdef _WIN32
namespace {
int OpenLogFile(const std::string& file, bool createNew) {
    // CREATE_NEW (what _O_EXCL asks for) refuses a link as it refuses a file;
    // an existing file to append to must not be one either.
    if (!createNew) {
        const DWORD attributes = GetFileAttributesA(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            errno = ELOOP;
            return -1;
        }
    }
    return ::_open(file.c_str(),
                   _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY | _O_NOINHERIT |
                       (createNew ? _O_EXCL : 0),
                   _S_IREAD | _S_IWRITE);
}
int WriteSome(int fd, const char* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(size));
}
int CloseFile(int fd) {
    return ::_close(fd);
}
} // namespace
#else
namespace {
int OpenLogFile(const std::string& file, bool createNew) {
    const int flags =
        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (createNew ? O_EXCL : 0);
    return ::open(file.c_str(), flags, 0666);
}
ssize_t WriteSome(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}
int CloseFile(int fd) {
    return ::close(fd);
}
} // namespace
#endif

class filelogsink::openfile : private boost::noncopyable {
public:
    openfile(const std::string& file, bool createNew) : fd_(OpenLogFile(file, createNew)) {
        if (fd_ < 0) {
            throw std::system_error(errno, std::generic_category(), file);
        }
    }
    ~openfile() { CloseFile(fd_); }

    void write(const std::string& text) const {
        const char* data = text.data();
        std::size_t size = text.size();
        while (size > 0) {
            const auto written = WriteSome(fd_, data, size);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return; // a full disk costs the line, never the run
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
    }

private:
    int fd_ = -1;
};

filelogsink::filelogsink(const std::string& file, bool createNew)
    : file_(std::make_shared<const openfile>(file, createNew)) {}

void filelogsink::operator()(const std::string& text) const {
    file_->write(text);
}

void coutlogsink::operator()(const std::string& text) const {
    std::cout << text << std::flush;
}

logmessage::logmessage() : stream_(new std::ostringstream) {}

logmessage::~logmessage() {
    try {
        logger::manager().log(stream_->str());
    } catch (...) {
    }
    delete stream_;
}

} // namespace tools
} // namespace mirl
