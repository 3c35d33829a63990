#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>
#include <boost/process.hpp>

#include <gtest/gtest.h>

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

std::string Scratch::readLog() const {
    std::ifstream file(logFile().string(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace e2e
