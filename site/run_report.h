#pragma once

#include "site/outcome.h"

#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>

#include <string>
#include <vector>

// One row of a roll-out's record. Never a password.
struct RowRecord {
    unsigned line = 0; // the plan line, which --from takes
    std::string label;
    std::string type;
    std::string road;
    std::vector<std::string> requests;
    Outcome outcome = Outcome::Skipped;
    boost::optional<int> exitStatus;
    std::string reason;
    double seconds = 0;
    std::string folder; // the row's folder, below the run folder
};

// Writes `runFolder`/report.csv and report.json, each through a temporary
// file renamed over the old one: a roll-out killed at any moment leaves a
// whole report. Throws boost::filesystem::filesystem_error or
// std::runtime_error when they cannot be written.
void WriteRunReport(const boost::filesystem::path& runFolder, const std::string& plan,
                    const std::vector<RowRecord>& rows);
