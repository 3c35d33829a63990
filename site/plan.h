#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

// One row of a plan: a detector and what to do with it. An empty cell, or a
// column the plan does not have, is an absent parameter ("").
struct PlanRow {
    unsigned line = 0; // the plan's line the row is on; the header is line 1
    std::string label; // free text naming the detector for people
    std::string type;
    std::string road; // "network", "module", or "" for the network road
    std::string currentDetectorIp;
    std::string currentPeerIp;
    std::string serialPort;
    std::string newDetectorIp;
    std::string newPeerIp;
    std::string newSsid;
    std::string newPassword;
    std::string wifiEnable;
};

// A plan's columns: header name and cell, in the order the manual lists them.
struct PlanColumn {
    const char* name;
    std::string PlanRow::*cell;
};
constexpr std::size_t PlanColumnCount = 11;
const std::array<PlanColumn, PlanColumnCount>& PlanColumns();

struct Plan {
    std::string path;
    std::vector<PlanRow> rows;
};

// A plan that cannot be read: where (a line, and a column when one is to
// blame; line 0 for the file as a whole) and why. what() says all of it:
// "ward.csv: line 3, column new_ssid: holds a control character".
class PlanError : public std::runtime_error {
public:
    PlanError(const std::string& path, unsigned line, const std::string& column,
              const std::string& reason);
    unsigned line;
    std::string column;
};

// Reads a plan as a spreadsheet saves it: a header row naming the columns (in
// any order), then one row a line; comma or semicolon separated (the first
// of them on the header line tells), cells quoted with '"' when they need it
// (a '"' in a quoted cell written twice); UTF-8 with or without a byte-order
// mark; CR LF or LF line ends. Blank lines and rows of empty cells are skipped.
// Throws PlanError.
Plan ReadPlan(const std::string& path);

// Whether the row's road is the infrared module's.
inline bool ViaModule(const PlanRow& row) {
    return row.road == "module";
}
