#include "site/program_runner.h"

#include "cli/windows_command_line.h"

#include <boost/asio/buffers_iterator.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/streambuf.hpp>
#include <boost/process.hpp>
#include <boost/process/extend.hpp>

#include <chrono>
#include <csignal>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace bp = boost::process;

namespace {

#ifdef __linux__
// The program dies with velkor-site: a roll-out killed half-way leaves no
// program running on behind its record.
struct DieWithParent : bp::extend::handler {
    pid_t parent = ::getpid();

    template <typename Executor> void on_exec_setup(Executor&) const {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(127);
        }
    }
};
#elif !defined(_WIN32)
struct DieWithParent : bp::extend::handler {};
#endif

template <typename... Properties>
bp::child Start(const boost::filesystem::path& program, const std::vector<std::string>& args,
                Properties&&... properties) {
#ifdef _WIN32
    return bp::child(bp::cmd(velkor::cli::WindowsCommandLine(program.string(), args)),
                     std::forward<Properties>(properties)...);
#else
    return bp::child(program, bp::args(args), DieWithParent(),
                     std::forward<Properties>(properties)...);
#endif
}

std::string Text(boost::asio::streambuf& buffer) {
    return std::string(boost::asio::buffers_begin(buffer.data()),
                       boost::asio::buffers_end(buffer.data()));
}

} // namespace

ProgramRunner::ProgramRunner() : signals_(io_, SIGINT, SIGTERM) {
    AwaitInterruption();
}

void ProgramRunner::AwaitInterruption() {
    signals_.async_wait([this](const boost::system::error_code& error, int) {
        if (error) {
            return;
        }
        interrupted_ = true;
        if (running_ != nullptr) {
            std::error_code ignored;
            running_->terminate(ignored);
        }
        AwaitInterruption();
    });
}

bool ProgramRunner::Interrupted() {
    io_.poll();
    return interrupted_;
}

ProgramEnd ProgramRunner::Run(const boost::filesystem::path& program,
                              const std::vector<std::string>& args,
                              const boost::filesystem::path& folder,
                              const std::function<void()>& everySecond) {
    ProgramEnd end;
    bp::async_pipe outPipe(io_);
    bp::async_pipe errPipe(io_);
    std::error_code startError;
    bp::child child =
        Start(program, args, bp::start_dir(folder.string()),
              bp::std_in<bp::null, bp::std_out> outPipe, bp::std_err > errPipe, startError);
    if (startError) {
        end.startFailure = startError.message();
        return end;
    }
    running_ = &child;

    // Both outputs are read to their end, side by side, so that neither pipe
    // fills while the other is waited on.
    boost::asio::streambuf out;
    boost::asio::streambuf err;
    int open = 2;
    const auto closed = [&open](const boost::system::error_code&, std::size_t) { --open; };
    boost::asio::async_read(outPipe, out, closed);
    boost::asio::async_read(errPipe, err, closed);
    boost::asio::steady_timer timer(io_);
    bool ticking = true;
    std::function<void()> tick = [&] {
        timer.expires_after(std::chrono::seconds(1));
        timer.async_wait([&](const boost::system::error_code& error) {
            if (error || open == 0) {
                ticking = false;
                return;
            }
            everySecond();
            tick();
        });
    };
    tick();
    while (open > 0) {
        io_.run_one();
    }
    timer.cancel();
    while (ticking) {
        io_.run_one();
    }
    running_ = nullptr;

    end.out = Text(out);
    end.err = Text(err);
    end.interrupted = interrupted_;
    std::error_code waitError;
    child.wait(waitError);
#ifdef _WIN32
    end.status = child.exit_code();
#else
    const int status = child.native_exit_code();
    if (WIFSIGNALED(status)) {
        end.signal = WTERMSIG(status);
    } else {
        end.status = WEXITSTATUS(status);
    }
#endif
    return end;
}
