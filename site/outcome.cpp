#include "site/outcome.h"

#include "platform/tools/printable_text.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/algorithm/string/predicate.hpp>

#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(PrintableText(line));
    }
    return lines;
}

template <typename Keep> std::vector<std::string> LinesWhere(const std::string& text, Keep keep) {
    std::vector<std::string> kept;
    for (const std::string& line : Lines(text)) {
        if (keep(line)) {
            kept.push_back(line);
        }
    }
    return kept;
}

// The detector's or the module's last word in the log: "det : ...".
std::string LibraryReason(const std::string& log) {
    std::string reason;
    for (const std::string& line : Lines(log)) {
        for (const char* source : {" det : ", " mod : "}) {
            const std::size_t at = line.find(source);
            if (at != std::string::npos) {
                reason = line.substr(at + 1);
                break;
            }
        }
    }
    return reason;
}

std::string WithLibraryReason(const std::string& lines, const std::string& log) {
    const std::string library = LibraryReason(log);
    return library.empty() ? lines : lines + " (" + library + ")";
}

bool Has(const std::string& line, const char* text) {
    return line.find(text) != std::string::npos;
}

} // namespace

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Changed:
        return "changed";
    case Outcome::NotChanged:
        return "not changed";
    case Outcome::Refused:
        return "refused";
    case Outcome::Failed:
        return "failed";
    case Outcome::Skipped:
        return "skipped";
    case Outcome::Running:
        return "running";
    }
    return "unknown";
}

Classified Classify(const ProgramEnd& end, const std::string& log, std::size_t requests) {
    if (!end.startFailure.empty()) {
        return {Outcome::Failed, "the program could not be started: " + end.startFailure};
    }
    if (end.interrupted) {
        return {Outcome::Failed, WithLibraryReason("interrupted: velkor-site ended the program "
                                                   "(what it changed before is in its log)",
                                                   log)};
    }
    if (end.signal != 0) {
        return {Outcome::Failed,
                WithLibraryReason("the program was ended by signal " + std::to_string(end.signal),
                                  log)};
    }
    const auto unchanged = LinesWhere(
        end.out, [](const std::string& line) { return Has(line, "has not been changed"); });
    const auto succeeded =
        LinesWhere(end.out, [](const std::string& line) { return Has(line, "SUCCEEDED"); });
    if (end.status == 0 && !unchanged.empty()) {
        return {Outcome::NotChanged,
                WithLibraryReason(boost::algorithm::join(unchanged, "; "), log)};
    }
    if (end.status == 0 && succeeded.size() >= requests) {
        return {Outcome::Changed, ""};
    }
    if (end.status == 0) {
        return {Outcome::Failed, "the program ended with status 0 without a SUCCEEDED line for "
                                 "every request"};
    }
    const auto errors = LinesWhere(end.err, [](const std::string& line) {
        return boost::starts_with(line, "Error - ") || boost::starts_with(line, "\t--> ");
    });
    // The detector or the module failed: the program's own words for a
    // library failure, after which the log tells why.
    const auto failures = LinesWhere(end.err, [](const std::string& line) {
        return Has(line, "FAILED") || Has(line, "module creation error");
    });
    if (end.status == 1 && !failures.empty()) {
        return {Outcome::Failed, WithLibraryReason(boost::algorithm::join(failures, "; "), log)};
    }
    // Its checks refused the request: their lines (the family's address sets
    // are refused on standard output).
    auto refusals = LinesWhere(
        end.out, [](const std::string& line) { return boost::starts_with(line, "Error - "); });
    refusals.insert(refusals.begin(), errors.begin(), errors.end());
    if (end.status == 1 && !refusals.empty()) {
        return {Outcome::Refused, boost::algorithm::join(refusals, "; ")};
    }
    return {Outcome::Failed,
            WithLibraryReason(
                "the program ended with status " + std::to_string(end.status) +
                    (errors.empty() ? std::string() : ": " + boost::algorithm::join(errors, "; ")),
                log)};
}
