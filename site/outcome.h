#pragma once

#include <string>
#include <vector>

// What became of a row of a roll-out.
enum class Outcome {
    Changed,    // status 0, every request SUCCEEDED
    NotChanged, // status 0, a request "has not been changed"
    Refused,    // status 1, the program's checks stopped it: nothing was changed
    Failed,     // status 1 after the detector or module failed, or any other end
    Skipped,    // not run
    Running,    // started and not finished: what a killed roll-out leaves
};

// "changed", "not changed", ...: the report's words.
const char* OutcomeName(Outcome outcome);

// How one run of the program ended.
struct ProgramEnd {
    int status = -1;          // the exit status, when it exited
    int signal = 0;           // the signal that ended it (POSIX), else 0
    bool interrupted = false; // velkor-site ended it (Ctrl-C)
    std::string startFailure; // why it could not be started; empty when it ran
    std::string out;
    std::string err;
};

struct Classified {
    Outcome outcome;
    std::string reason;
};

// The row's outcome, from the program's exit status and lines, as the
// manual tells scripts to read them, and the reason: the lines that say it,
// with the last of the log's "det : " or "mod : " lines. `requests` is how
// many requests the rules accepted.
Classified Classify(const ProgramEnd& end, const std::string& log, std::size_t requests);
