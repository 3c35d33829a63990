#include "site/roll_out.h"

#include "app/ipconfig_driver.h"
#include "platform/tools/printable_text.h"
#include "site/program_arguments.h"
#include "site/program_runner.h"
#include "site/progress_line.h"
#include "site/redaction.h"
#include "site/run_report.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>

namespace fs = boost::filesystem;

namespace {

// "03-CT-room-7380": the plan line, as wide as the plan's last, and the
// label in letters, digits and '.', '_', '-' only.
std::string FolderName(const PlanRow& row, unsigned lastLine) {
    const std::size_t width = std::max<std::size_t>(2, std::to_string(lastLine).size());
    std::ostringstream name;
    name << std::setw(static_cast<int>(width)) << std::setfill('0') << row.line << "-";
    std::string label;
    for (const char c : row.label.empty() ? row.type : row.label) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (kept) {
            label += c;
        } else if (!label.empty() && label.back() != '-') {
            label += '-';
        }
    }
    while (!label.empty() && (label.back() == '-' || label.back() == '.')) {
        label.pop_back();
    }
    return name.str() + label.substr(0, 40);
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Seconds(double seconds) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << seconds << " s";
    return text.str();
}

} // namespace

RollOut::RollOut(const PlanCheck& check, RollOutOptions options, std::ostream& out,
                 std::ostream& err)
    : check_(check), options_(std::move(options)), out_(out), err_(err) {}

int RollOut::Run() {
    const std::vector<PlanRow>& rows = check_.plan.rows;
    const fs::path program(options_.program);
    boost::system::error_code error;
    if (!fs::is_regular_file(program, error)) {
        err_ << "velkor-site: no velkor-ipconfig-cmd at " << program.string()
             << ": install it beside velkor-site, or name it with --program\n";
        return 1;
    }
    const fs::path run(options_.runFolder);
    if (fs::exists(run, error) || !fs::create_directories(run, error)) {
        err_ << "velkor-site: the run folder " << run.string()
             << (error ? " cannot be made: " + error.message()
                       : " is there already: each roll-out keeps its record in a new one")
             << "\n";
        return 1;
    }

    std::vector<RowRecord> records;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        RowRecord record;
        record.line = rows[i].line;
        record.label = rows[i].label;
        record.type = rows[i].type;
        record.road = ViaModule(rows[i]) ? "module" : "network";
        record.requests = check_.rows[i].requests;
        record.reason = rows[i].line < options_.fromLine ? "before --from" : "not reached";
        records.push_back(record);
    }
    // From here on the record is kept whole: after each row, and when the
    // roll-out stops for whatever reason.
    const auto save = [&]() {
        try {
            WriteRunReport(run, check_.plan.path, records);
            return true;
        } catch (const std::exception& failure) {
            err_ << "velkor-site: the report in " << run.string()
                 << " cannot be written: " << failure.what() << "\n";
            return false;
        }
    };
    if (!save()) {
        return 1;
    }

    ProgramRunner runner;
    std::size_t first = 0;
    while (first < rows.size() && rows[first].line < options_.fromLine) {
        ++first;
    }
    ProgressLine progress(out_, options_.progressInPlace, rows.size() - first);
    std::string stopReason = "not reached";
    bool saved = true;
    std::size_t next = first;
    for (; next < rows.size(); ++next) {
        if (runner.Interrupted()) {
            stopReason = "interrupted before it started";
            break;
        }
        const PlanRow& row = rows[next];
        RowRecord& record = records[next];
        record.folder = FolderName(row, rows.back().line);
        const fs::path folder = run / record.folder;
        fs::create_directory(folder, error);
        record.outcome = Outcome::Running;
        record.reason = "started: its outcome is unknown until it ends (see its folder's log)";
        if (!save()) {
            saved = false;
            break;
        }

        progress.Start(next - first + 1, RowName(row));
        const auto started = std::chrono::steady_clock::now();
        const ProgramEnd end =
            error
                ? ProgramEnd{-1, 0, false, "its folder cannot be made: " + error.message(), "", ""}
                : runner.Run(program, ProgramArguments(row), folder, [&] { progress.Tick(); });
        record.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const Classified classified =
            Classify(end, ReadFile(folder / LogFileName), record.requests.size());
        record.outcome = classified.outcome;
        record.reason = Redacted(classified.reason, row.newPassword);
        if (end.startFailure.empty() && !end.interrupted && end.signal == 0) {
            record.exitStatus = end.status;
        }
        // The record first: what the line says is on disk once it shows.
        if (!save()) {
            saved = false;
            ++next;
        }
        progress.Finish(PrintableText(RowName(row)) + ": " + OutcomeName(record.outcome) + " (" +
                        Seconds(record.seconds) + ")" +
                        (record.reason.empty() ? "" : ": " + record.reason));
        if (!saved) {
            break;
        }
        if (end.interrupted) {
            stopReason = "interrupted";
            ++next;
            break;
        }
        if (record.outcome != Outcome::Changed && !options_.keepGoing) {
            stopReason = "not run: line " + std::to_string(row.line) +
                         " was not changed (--keep-going goes on)";
            ++next;
            break;
        }
    }
    for (std::size_t i = next; i < rows.size(); ++i) {
        records[i].outcome = Outcome::Skipped;
        records[i].reason = stopReason;
    }
    if (saved) {
        saved = save();
    }

    std::size_t changed = 0;
    std::string summary;
    for (const Outcome outcome : {Outcome::Changed, Outcome::NotChanged, Outcome::Refused,
                                  Outcome::Failed, Outcome::Skipped}) {
        const std::size_t count =
            std::count_if(records.begin() + first, records.end(),
                          [outcome](const RowRecord& record) { return record.outcome == outcome; });
        if (outcome == Outcome::Changed) {
            changed = count;
        }
        if (count > 0) {
            summary +=
                (summary.empty() ? "" : ", ") + std::to_string(count) + " " + OutcomeName(outcome);
        }
    }
    out_ << rows.size() - first << (rows.size() - first == 1 ? " row: " : " rows: ") << summary
         << "\n"
         << "record: " << (run / "report.csv").string() << ", " << (run / "report.json").string()
         << "\n";
    return saved && changed == rows.size() - first ? 0 : 1;
}
