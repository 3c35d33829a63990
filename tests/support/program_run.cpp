#include "tests/support/program_run.h"

#include "cli/windows_command_line.h"
#include "platform/tools/testing/environment.h"

#include <boost/filesystem.hpp>
#include <boost/process.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace bp = boost::process;
namespace fs = boost::filesystem;

namespace e2e {

const std::chrono::seconds RunDeadline{30};

std::string IpconfigProgram() {
    const char* chosen = std::getenv("VELKOR_IPCONFIG_PROGRAM");
    return chosen != nullptr && *chosen != '\0' ? chosen : VELKOR_IPCONFIG_PROGRAM;
}

namespace {

// The program and its words, in the form the system starts it from.
template <typename... Properties>
bp::child Start(const std::string& program, const std::vector<std::string>& args,
                Properties&&... properties) {
#ifdef _WIN32
    return bp::child(bp::cmd(velkor::cli::WindowsCommandLine(program, args)),
                     std::forward<Properties>(properties)...);
#else
    return bp::child(program, bp::args(args), std::forward<Properties>(properties)...);
#endif
}

// Windows' console streams end lines with CR LF; the tests compare lines.
std::string Lines(std::string text) {
#ifdef _WIN32
    std::string::size_type at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos) {
        text.erase(at, 1);
        ++at;
    }
#endif
    return text;
}

} // namespace

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream stream(text);
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> RunResult::outLines() const {
    return splitLines(out);
}
std::vector<std::string> RunResult::errLines() const {
    return splitLines(err);
}

RunResult Scratch::run(const std::string& program, const std::vector<std::string>& args) const {
    return runIn(dir(), program, args);
}

RunResult Scratch::runIn(const fs::path& cwd, const std::string& program,
                         const std::vector<std::string>& args,
                         const boost::optional<std::string>& input) const {
    // The child inherits the environment (Boost.Process 1.74 reads past the
    // end of its own copy's entries when it looks up a long name).
    tools_testing::ScopedEnvironment environment;
    environment.set("VELKOR_BENCH", benchDir().string());
    std::future<std::string> out;
    std::future<std::string> err;
    boost::asio::io_context io;
    // Standard input comes from a file: it reaches the child whole, with no
    // pipe to feed while the child runs.
    const fs::path inputFile = dir() / fs::unique_path("stdin-%%%%-%%%%");
    if (input) {
        std::ofstream(inputFile.string(), std::ios::binary) << *input;
    }
    bp::child child =
        input ? Start(program, args, bp::start_dir(cwd.string()),
                      bp::std_in<inputFile.string(), bp::std_out> out, bp::std_err > err, io)
              : Start(program, args, bp::start_dir(cwd.string()), bp::std_in.close(),
                      bp::std_out > out, bp::std_err > err, io);
    // A run that hangs is a failure to report, not a reason to wait for ever.
    io.run_for(RunDeadline);
    RunResult result;
    if (!io.stopped()) {
        child.terminate();
        io.run();
        result.timedOut = true;
    } else {
        child.wait();
        result.status = child.exit_code();
    }
    result.out = out.get();
    result.err = Lines(err.get());
    boost::system::error_code ignored;
    fs::remove(inputFile, ignored);
    // `velkor-bench dump` writes a file's bytes, which stay as they are.
    const bool bytes = program == VELKOR_BENCH_PROGRAM && !args.empty() && args[0] == "dump";
    if (!bytes) {
        result.out = Lines(result.out);
    }
    return result;
}

int Scratch::runWithoutConsole(LostConsole how, const std::string& program,
                               const std::vector<std::string>& args) const {
    tools_testing::ScopedEnvironment environment;
    environment.set("VELKOR_BENCH", benchDir().string());
    boost::asio::io_context io;
    auto ended = bp::on_exit([](int, const std::error_code&) {});
    bp::child child;
    if (how == LostConsole::Closed) {
        child = Start(program, args, bp::start_dir(dir().string()), bp::std_in.close(),
                      bp::std_out.close(), bp::std_err.close(), io, ended);
    } else {
        // Nobody will ever read: the reading ends are gone before the start.
        bp::pipe out;
        bp::pipe err;
        for (bp::pipe* pipe : {&out, &err}) {
#ifdef _WIN32
            CloseHandle(pipe->native_source());
            pipe->assign_source(nullptr);
#else
            ::close(pipe->native_source());
            pipe->assign_source(-1);
#endif
        }
        child = Start(program, args, bp::start_dir(dir().string()), bp::std_in.close(),
                      bp::std_out > out, bp::std_err > err, io, ended);
    }
    io.run_for(RunDeadline);
    if (!io.stopped()) {
        child.terminate();
        return -1;
    }
    child.wait();
#ifndef _WIN32
    if (!WIFEXITED(child.native_exit_code())) {
        return -1;
    }
#endif
    return child.exit_code();
}

RunResult Scratch::ipconfig(const std::vector<std::string>& args) const {
    return run(IpconfigProgram(), args);
}

RunResult Scratch::bench(const std::vector<std::string>& args, bool mustSucceed) const {
    RunResult result = run(VELKOR_BENCH_PROGRAM, args);
    if (mustSucceed) {
        EXPECT_EQ(result.status, 0) << "velkor-bench failed: " << result.err;
    }
    return result;
}

RunResult Scratch::benchFed(const std::string& input, const std::vector<std::string>& args) const {
    return runIn(dir(), VELKOR_BENCH_PROGRAM, args, input);
}

bool Scratch::passwordIs(const std::string& detector, const std::string& password) const {
    const RunResult result = benchFed(password + "\n", {"check-password", detector});
    EXPECT_TRUE(result.status == 0 || result.status == 1) << "check-password: " << result.err;
    return result.status == 0;
}

struct StartedRun::Process {
    bp::ipstream out;
    boost::filesystem::path errFile;
    bp::child child;
};

StartedRun::StartedRun(const fs::path& cwd, const std::string& program,
                       const std::vector<std::string>& args,
                       const std::vector<std::pair<std::string, std::string>>& environment)
    : process_(new Process) {
    // The child inherits the environment, set for the moment (see runIn).
    tools_testing::ScopedEnvironment inherited;
    for (const auto& variable : environment) {
        inherited.set(variable.first, variable.second);
    }
    process_->errFile = fs::temp_directory_path() / fs::unique_path("velkor-e2e-err-%%%%-%%%%");
    process_->child = Start(program, args, bp::start_dir(cwd.string()), bp::std_in.close(),
                            bp::std_out > process_->out, bp::std_err > process_->errFile.string());
}

StartedRun::~StartedRun() {
    if (process_->child.running()) {
        process_->child.terminate();
    }
    boost::system::error_code ignored;
    fs::remove(process_->errFile, ignored);
}

bool StartedRun::readUntil(const std::string& text) {
    for (std::string line; std::getline(process_->out, line);) {
        line = Lines(line + "\n");
        line.pop_back();
        out_ += line + "\n";
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

RunResult StartedRun::finish() {
    for (std::string line; std::getline(process_->out, line);) {
        out_ += Lines(line + "\n");
    }
    // Its output is closed: the program has ended. (Boost.Process 1.74's
    // wait_for can sleep its whole timeout when the child ended first.)
    RunResult result;
    process_->child.wait();
    result.status = process_->child.exit_code();
    result.out = out_;
    std::ifstream err(process_->errFile.string(), std::ios::binary);
    std::ostringstream text;
    text << err.rdbuf();
    result.err = Lines(text.str());
    return result;
}

std::unique_ptr<StartedRun>
Scratch::start(const std::vector<std::string>& args,
               const std::vector<std::pair<std::string, std::string>>& environment) const {
    return startProgram(IpconfigProgram(), args, environment);
}

std::unique_ptr<StartedRun>
Scratch::startProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::pair<std::string, std::string>>& environment) const {
    std::vector<std::pair<std::string, std::string>> all = {{"VELKOR_BENCH", benchDir().string()}};
    all.insert(all.end(), environment.begin(), environment.end());
    return std::unique_ptr<StartedRun>(new StartedRun(dir(), program, args, all));
}

void StartedRun::kill() {
    process_->child.terminate();
}

#ifndef _WIN32
void StartedRun::interrupt() {
    ::kill(process_->child.id(), SIGINT);
}
#endif

RunResult Scratch::site(const std::vector<std::string>& args) const {
    return run(VELKOR_SITE_PROGRAM, args);
}

fs::path Scratch::write(const std::string& name, const std::string& text, int mode) const {
    const fs::path file = dir() / name;
    std::ofstream(file.string(), std::ios::binary) << text;
    fs::permissions(file, static_cast<fs::perms>(mode));
    return file;
}

std::string Scratch::readLog() const {
    std::ifstream file(logFile().string(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace e2e
