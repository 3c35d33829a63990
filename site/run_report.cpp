#include "site/run_report.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem/operations.hpp>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace fs = boost::filesystem;

namespace {

double Rounded(double seconds) {
    return std::round(seconds * 100) / 100;
}

// A cell as spreadsheets write one: always quoted, a quote written twice.
std::string Cell(const std::string& text) {
    return "\"" + boost::algorithm::replace_all_copy(text, "\"", "\"\"") + "\"";
}

std::string Csv(const std::vector<RowRecord>& rows) {
    std::ostringstream csv;
    // The byte-order mark tells spreadsheets the text is UTF-8.
    csv << "\xEF\xBB\xBF"
           "row,label,type,road,requests,outcome,exit_status,reason,seconds,folder\r\n";
    for (const RowRecord& row : rows) {
        csv << row.line << "," << Cell(row.label) << "," << Cell(row.type) << "," << Cell(row.road)
            << "," << Cell(boost::algorithm::join(row.requests, " + ")) << ","
            << Cell(OutcomeName(row.outcome)) << ","
            << (row.exitStatus ? std::to_string(*row.exitStatus) : std::string()) << ","
            << Cell(row.reason) << "," << Rounded(row.seconds) << "," << Cell(row.folder) << "\r\n";
    }
    return csv.str();
}

std::string Json(const std::string& plan, const std::vector<RowRecord>& rows) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const RowRecord& row : rows) {
        list.push_back({{"row", row.line},
                        {"label", row.label},
                        {"type", row.type},
                        {"road", row.road},
                        {"requests", row.requests},
                        {"outcome", OutcomeName(row.outcome)},
                        {"exit_status", row.exitStatus ? nlohmann::ordered_json(*row.exitStatus)
                                                       : nlohmann::ordered_json()},
                        {"reason", row.reason},
                        {"seconds", Rounded(row.seconds)},
                        {"folder", row.folder}});
    }
    const nlohmann::ordered_json report = {{"plan", plan}, {"rows", list}};
    return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

void Replace(const fs::path& file, const std::string& content) {
    const fs::path temporary = file.parent_path() / ("." + file.filename().string() + ".tmp");
    {
        std::ofstream out(temporary.string(), std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        if (!out) {
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    fs::rename(temporary, file);
}

} // namespace

void WriteRunReport(const fs::path& runFolder, const std::string& plan,
                    const std::vector<RowRecord>& rows) {
    Replace(runFolder / "report.csv", Csv(rows));
    Replace(runFolder / "report.json", Json(plan, rows));
}
