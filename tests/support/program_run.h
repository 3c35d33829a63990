#pragma once

#include "platform/tools/testing/scratch_folder.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// The program under test: the one built beside the tests, or the one that
// $VELKOR_IPCONFIG_PROGRAM names (a build against other libraries).
std::string IpconfigProgram();

// How long one run may take before it is killed and reported as timed out.
extern const std::chrono::seconds RunDeadline;

// What one run of a program left behind.
struct RunResult {
    int status = -1; // -1 when it was killed
    bool timedOut = false;
    std::string out;
    std::string err;

    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;
};

// A run going on beside the test, whose standard output is read as it comes.
class StartedRun : private boost::noncopyable {
public:
    StartedRun(const boost::filesystem::path& cwd, const std::string& program,
               const std::vector<std::string>& args,
               const std::vector<std::pair<std::string, std::string>>& environment);
    ~StartedRun();

    // Reads standard output up to a line holding `text`; false when the
    // program ended without writing one.
    bool readUntil(const std::string& text);
    // Reads the rest of the output and waits for the end of the run.
    RunResult finish();
    // Kills the program, as a power cut or `kill -9` would.
    void kill();
#ifndef _WIN32
    // Sends it SIGINT, as Ctrl-C at its terminal does.
    void interrupt();
#endif

private:
    struct Process;
    std::unique_ptr<Process> process_;
    std::string out_;
};

// A fresh folder per test: the program runs in it, and its bench lives in it
// ($VELKOR_BENCH points there), so tests never touch the user's bench.
class Scratch : private boost::noncopyable {
public:
    const boost::filesystem::path& dir() const { return folder_.dir(); }
    boost::filesystem::path benchDir() const { return dir() / "bench"; }
    boost::filesystem::path logFile() const { return dir() / "velkor-ipconfig-cmd.log"; }

    // Runs velkor-ipconfig-cmd in dir() with the given arguments.
    RunResult ipconfig(const std::vector<std::string>& args) const;
    // Runs velkor-bench against benchDir(); fails the test when it exits non-zero
    // and `mustSucceed` is set.
    RunResult bench(const std::vector<std::string>& args, bool mustSucceed = true) const;
    // Runs velkor-site in dir() against benchDir().
    RunResult site(const std::vector<std::string>& args) const;
    // Writes `text` to dir()/`name`, with the file mode given (POSIX).
    boost::filesystem::path write(const std::string& name, const std::string& text,
                                  int mode = 0600) const;
    // Runs velkor-bench with `input` on its standard input.
    RunResult benchFed(const std::string& input, const std::vector<std::string>& args) const;
    // Whether `password` is the one stored on `detector`, by velkor-bench
    // check-password (the password on its standard input).
    bool passwordIs(const std::string& detector, const std::string& password) const;
    // Runs any program in dir() with the bench environment.
    RunResult run(const std::string& program, const std::vector<std::string>& args) const;
    // The same in another folder (its own log file), against this bench.
    RunResult runIn(const boost::filesystem::path& cwd, const std::string& program,
                    const std::vector<std::string>& args,
                    const boost::optional<std::string>& input = boost::none) const;

    // How a run can lose its console: a reader that went away (a closed
    // pipe, as behind `| grep -q`), or no standard streams at all.
    enum class LostConsole { BrokenPipes, Closed };
    // Runs `program` in dir() with its standard output and error lost; only
    // its exit status is left (-1 when it was killed, by a signal too).
    int runWithoutConsole(LostConsole how, const std::string& program,
                          const std::vector<std::string>& args) const;

    std::string readLog() const;

    // Starts velkor-ipconfig-cmd in dir() and returns at once; `environment`
    // is added to the bench environment.
    std::unique_ptr<StartedRun>
    start(const std::vector<std::string>& args,
          const std::vector<std::pair<std::string, std::string>>& environment) const;
    // The same for any program.
    std::unique_ptr<StartedRun>
    startProgram(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::pair<std::string, std::string>>& environment) const;

private:
    tools_testing::ScratchFolder folder_{"velkor-e2e"};
};

// Splits text at line ends; a final line end does not add an empty line.
std::vector<std::string> splitLines(const std::string& text);

} // namespace e2e
