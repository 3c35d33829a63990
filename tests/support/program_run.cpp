#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>
#include <boost/optional.hpp>
#include <boost/process.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>

namespace bp = boost::process;
namespace fs = boost::filesystem;

namespace e2e {

const std::chrono::seconds kRunDeadline{30};

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

Scratch::Scratch() {
    dir_ = fs::temp_directory_path() / fs::unique_path("velkor-e2e-%%%%-%%%%-%%%%");
    fs::create_directories(dir_);
}

Scratch::~Scratch() {
    boost::system::error_code ignored;
    fs::permissions(dir_, fs::owner_all | fs::add_perms, ignored);
    fs::remove_all(dir_, ignored);
}

RunResult Scratch::run(const std::string& program, const std::vector<std::string>& args) const {
    return runIn(dir_, program, args);
}

RunResult Scratch::runIn(const fs::path& cwd, const std::string& program,
                         const std::vector<std::string>& args) const {
    bp::environment env = boost::this_process::environment();
    env["VELKOR_BENCH"] = benchDir().string();
    std::future<std::string> out;
    std::future<std::string> err;
    boost::asio::io_context io;
    bp::child child(program, bp::args(args), bp::start_dir(cwd.string()), env, bp::std_in.close(),
                    bp::std_out > out, bp::std_err > err, io);
    // A run that hangs is a failure to report, not a reason to wait for ever.
    io.run_for(kRunDeadline);
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
    result.err = err.get();
    return result;
}

RunResult Scratch::ipconfig(const std::vector<std::string>& args) const {
    return run(VELKOR_IPCONFIG_PROGRAM, args);
}

RunResult Scratch::bench(const std::vector<std::string>& args, bool mustSucceed) const {
    RunResult result = run(VELKOR_BENCH_PROGRAM, args);
    if (mustSucceed) {
        EXPECT_EQ(result.status, 0) << "velkor-bench failed: " << result.err;
    }
    return result;
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
    // Boost.Process 1.74 reads past the end of its environment entries when it
    // looks up a long name, so the child inherits ours, set for the moment.
    std::vector<std::pair<std::string, boost::optional<std::string>>> saved;
    for (const auto& variable : environment) {
        const char* before = std::getenv(variable.first.c_str());
        saved.emplace_back(variable.first,
                           before ? boost::optional<std::string>(before) : boost::none);
        ::setenv(variable.first.c_str(), variable.second.c_str(), 1);
    }
    process_->errFile = fs::temp_directory_path() / fs::unique_path("velkor-e2e-err-%%%%-%%%%");
    process_->child =
        bp::child(program, bp::args(args), bp::start_dir(cwd.string()), bp::std_in.close(),
                  bp::std_out > process_->out, bp::std_err > process_->errFile.string());
    for (const auto& variable : saved) {
        if (variable.second) {
            ::setenv(variable.first.c_str(), variable.second->c_str(), 1);
        } else {
            ::unsetenv(variable.first.c_str());
        }
    }
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
        out_ += line + "\n";
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

RunResult StartedRun::finish() {
    for (std::string line; std::getline(process_->out, line);) {
        out_ += line + "\n";
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
    result.err = text.str();
    return result;
}

std::unique_ptr<StartedRun>
Scratch::start(const std::vector<std::string>& args,
               const std::vector<std::pair<std::string, std::string>>& environment) const {
    std::vector<std::pair<std::string, std::string>> all = {{"VELKOR_BENCH", benchDir().string()}};
    all.insert(all.end(), environment.begin(), environment.end());
    return std::unique_ptr<StartedRun>(new StartedRun(dir_, VELKOR_IPCONFIG_PROGRAM, args, all));
}

std::string Scratch::readLog() const {
    std::ifstream file(logFile().string(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace e2e
