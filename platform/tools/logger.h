#pragma once

#include <boost/core/noncopyable.hpp>
#include <boost/function.hpp>

#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace mirl {
namespace tools {

// Severity mark written at the start of a log line.
class loglevel {
public:
    virtual ~loglevel() = default;
    virtual char mark() const = 0;
};

class loglevelerror : public loglevel {
public:
    char mark() const override { return 'E'; }
};

class loglevelinfo : public loglevel {
public:
    char mark() const override { return 'I'; }
};

class loglevelwarning : public loglevel {
public:
    char mark() const override { return 'W'; }
};

std::ostream& operator<<(std::ostream& stream, const loglevel& level);

// Process-wide logger: prefixes rewrite the finished text, sinks receive it.
class logger {
public:
    using prefix = boost::function<void(std::string&)>;
    using sink = boost::function<void(const std::string&)>;

    static logger& manager();

    void addprefix(const std::string& name, const prefix& function);
    void addsink(const std::string& name, const sink& function);
    void removesink(const std::string& name);
    void clear();

    // True when nobody listens: log statements then skip formatting.
    bool empty_sink() const;

    // Hands one finished message to the prefixes and the sinks.
    void log(const std::string& text);

private:
    logger() = default;

    std::map<std::string, prefix> prefixes_;
    std::map<std::string, sink> sinks_;
};

// Prepends the local time, ISO 8601 with milliseconds, and a blank.
void timeprefix(std::string& text);

// Appends every log line to one file, opened once when the sink is built and
// never through a symbolic link: whatever is put at that name later receives
// nothing. Each line is handed to the system at once, so a killed run keeps
// its lines. Copies of the sink share the open file.
class filelogsink {
public:
    // createNew true: the file is created for this sink and must not exist
    // yet; false: lines are added to it, and it is created when missing.
    // Throws std::system_error (the system's reason) when it cannot be opened.
    filelogsink(const std::string& file, bool createNew);
    void operator()(const std::string& text) const;

private:
    class openfile;
    std::shared_ptr<const openfile> file_;
};

// Copies every log line to standard output.
class coutlogsink {
public:
    void operator()(const std::string& text) const;
};

// One log statement: owns the stream until it is destroyed, then logs its text.
class logmessage : private boost::noncopyable {
public:
    logmessage();
    ~logmessage();

    std::ostringstream& stream() { return *stream_; }

private:
    std::ostringstream* stream_;
};

} // namespace tools
} // namespace mirl

// The message expression is evaluated only when a sink exists.
#define VELKOR_LOG(LEVEL, EXPRESSION)                                                              \
    do {                                                                                           \
        ::mirl::tools::logmessage velkor_log_message_;                                             \
        if (!::mirl::tools::logger::manager().empty_sink()) {                                      \
            velkor_log_message_.stream() << LEVEL() << EXPRESSION << std::endl;                    \
        }                                                                                          \
    } while (false)

#define LOG_ERROR(EXPRESSION) VELKOR_LOG(::mirl::tools::loglevelerror, EXPRESSION)
#define LOG_INFO(EXPRESSION) VELKOR_LOG(::mirl::tools::loglevelinfo, EXPRESSION)
#define LOG_WARNING(EXPRESSION) VELKOR_LOG(::mirl::tools::loglevelwarning, EXPRESSION)
