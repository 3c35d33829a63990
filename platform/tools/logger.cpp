#include "platform/tools/logger.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <iomanip>
#include <iostream>
#include <system_error>
#include <unistd.h>

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

void timeprefix(std::string& text) {
    using clock = std::chrono::system_clock;
    const clock::time_point now = clock::now();
    const std::time_t seconds = clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[32];
    char zone[8];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    std::strftime(zone, sizeof zone, "%z", &local);
    // strftime gives "+hhmm"; ISO 8601 wants "+hh:mm" beside an extended-format time.
    std::string offset = zone;
    if (offset.size() == 5) {
        offset.insert(3, ":");
    }
    std::ostringstream stamp;
    stamp << date << '.' << std::setw(3) << std::setfill('0') << millis << offset << ' ';
    text.insert(0, stamp.str());
}

class filelogsink::openfile {
public:
    openfile(const std::string& file, bool createNew) {
        const int flags =
            O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (createNew ? O_EXCL : 0);
        fd_ = ::open(file.c_str(), flags, 0666);
        if (fd_ < 0) {
            throw std::system_error(errno, std::generic_category(), file);
        }
    }
    ~openfile() { ::close(fd_); }
    openfile(const openfile&) = delete;
    openfile& operator=(const openfile&) = delete;

    void write(const std::string& text) const {
        const char* data = text.data();
        std::size_t size = text.size();
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
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
