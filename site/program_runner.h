#pragma once

#include "site/outcome.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/core/noncopyable.hpp>
#include <boost/filesystem/path.hpp>

#include <functional>
#include <string>
#include <vector>

namespace boost {
namespace process {
class child;
} // namespace process
} // namespace boost

// Runs a program for the rows of a roll-out, one at a time, and waits for it
// on its output and its end, never by polling. From construction on, an
// interruption (Ctrl-C, SIGINT or SIGTERM) is caught: it ends the running
// program at once and is remembered, so that no further row starts.
class ProgramRunner : private boost::noncopyable {
public:
    ProgramRunner();

    // Whether an interruption came; takes in one that is pending, waits for none.
    bool Interrupted();

    // Runs `program` with `args` in `folder` (standard input empty) and gives
    // its end with what it wrote; calls `everySecond` each second it runs.
    // On Linux the program is ended should velkor-site itself be killed.
    ProgramEnd Run(const boost::filesystem::path& program, const std::vector<std::string>& args,
                   const boost::filesystem::path& folder, const std::function<void()>& everySecond);

private:
    void AwaitInterruption();

    boost::asio::io_context io_;
    boost::asio::signal_set signals_;
    boost::process::child* running_ = nullptr;
    bool interrupted_ = false;
};
