#include "site/plan.h"

#include "cli/closest_name.h"

#include <boost/filesystem/operations.hpp>
#include <boost/locale/utf.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

// The CSV reader uses std::numeric_limits without including its header; it
// reads from memory here, in this thread (no reader thread of its own).
#include <limits>
#define CSV_IO_NO_THREAD
#include <csv.h>

namespace {

constexpr std::size_t ColumnCount = PlanColumnCount;

using Cells = std::array<std::string, ColumnCount>;

// A text that is UTF-8 and holds no control character (a plan's cells reach
// the terminal); otherwise what is wrong with it.
std::string TextProblem(const std::string& text) {
    namespace utf = boost::locale::utf;
    for (auto at = text.begin(); at != text.end();) {
        const utf::code_point c = utf::utf_traits<char>::decode(at, text.end());
        if (c == utf::illegal || c == utf::incomplete) {
            return "is not UTF-8 text: save the plan as UTF-8";
        }
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            return "holds a control character";
        }
    }
    return {};
}

template <char Separator>
using Reader = io::CSVReader<ColumnCount, io::trim_chars<>, io::double_quote_escape<Separator, '"'>,
                             io::throw_on_overflow, io::empty_line_comment>;

template <char Separator, std::size_t... I>
void ReadRows(Plan& plan, const std::string& text, std::index_sequence<I...>) {
    const auto& columns = PlanColumns();
    Reader<Separator> reader(plan.path, text.data(), text.data() + text.size());
    try {
        reader.read_header(io::ignore_missing_column, columns[I].name...);
    } catch (const io::error::extra_column_in_header& error) {
        std::vector<std::string> names;
        for (const PlanColumn& column : columns) {
            names.push_back(column.name);
        }
        throw PlanError(plan.path, reader.get_file_line(), error.column_name,
                        "unknown column" + velkor::cli::DidYouMean(error.column_name, names));
    } catch (const io::error::duplicated_column_in_header& error) {
        throw PlanError(plan.path, reader.get_file_line(), error.column_name, "is there twice");
    } catch (const io::error::header_missing&) {
        throw PlanError(plan.path, 0, "",
                        "is empty: a plan starts with a header row naming its columns");
    }
    if (!reader.has_column("type")) {
        throw PlanError(plan.path, reader.get_file_line(), "", "the header has no type column");
    }
    for (;;) {
        Cells cells;
        try {
            if (!reader.read_row(cells[I]...)) {
                break;
            }
        } catch (const io::error::too_few_columns&) {
            throw PlanError(plan.path, reader.get_file_line(), "",
                            "fewer cells than the header has columns");
        } catch (const io::error::too_many_columns&) {
            throw PlanError(plan.path, reader.get_file_line(), "",
                            "more cells than the header has columns");
        } catch (const io::error::escaped_string_not_closed&) {
            throw PlanError(plan.path, reader.get_file_line(), "",
                            "a quoted cell is not closed (a cell holds no line break)");
        }
        PlanRow row;
        row.line = reader.get_file_line();
        bool blank = true;
        for (std::size_t i = 0; i < ColumnCount; ++i) {
            const std::string problem = TextProblem(cells[i]);
            if (!problem.empty()) {
                throw PlanError(plan.path, row.line, columns[i].name, problem);
            }
            blank = blank && cells[i].empty();
            row.*columns[i].cell = std::move(cells[i]);
        }
        if (!blank) {
            plan.rows.push_back(std::move(row));
        }
    }
}

} // namespace

PlanError::PlanError(const std::string& path, unsigned line, const std::string& column,
                     const std::string& reason)
    : std::runtime_error(path + ": " + (line > 0 ? "line " + std::to_string(line) : "") +
                         (column.empty() ? "" : (line > 0 ? ", " : "") + ("column " + column)) +
                         (line > 0 || !column.empty() ? ": " : "") + reason),
      line(line), column(column) {}

const std::array<PlanColumn, PlanColumnCount>& PlanColumns() {
    static const std::array<PlanColumn, PlanColumnCount> columns = {{
        {"label", &PlanRow::label},
        {"type", &PlanRow::type},
        {"road", &PlanRow::road},
        {"current_detector_ip", &PlanRow::currentDetectorIp},
        {"current_peer_ip", &PlanRow::currentPeerIp},
        {"serial_port", &PlanRow::serialPort},
        {"new_detector_ip", &PlanRow::newDetectorIp},
        {"new_peer_ip", &PlanRow::newPeerIp},
        {"new_ssid", &PlanRow::newSsid},
        {"new_password", &PlanRow::newPassword},
        {"wifi_enable", &PlanRow::wifiEnable},
    }};
    return columns;
}

Plan ReadPlan(const std::string& path) {
    boost::system::error_code error;
    if (boost::filesystem::is_directory(path, error)) {
        throw PlanError(path, 0, "", "is a folder: name the plan's file");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw PlanError(path, 0, "", std::string("cannot be read: ") + std::strerror(errno));
    }
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        throw PlanError(path, 0, "", std::string("cannot be read: ") + std::strerror(errno));
    }
    if (file.bad()) {
        throw PlanError(path, 0, "", "cannot be read to its end");
    }
    // The reader stops a line at a NUL byte; no text file holds one.
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        throw PlanError(path, 1 + std::count(text.begin(), text.begin() + nul, '\n'), "",
                        "holds a NUL byte: a plan is a text file");
    }
    const std::size_t lineEnd = text.find('\n');
    const std::size_t separator = text.find_first_of(",;");
    Plan plan;
    plan.path = path;
    if (separator != std::string::npos && separator < lineEnd && text[separator] == ';') {
        ReadRows<';'>(plan, text, std::make_index_sequence<ColumnCount>());
    } else {
        ReadRows<','>(plan, text, std::make_index_sequence<ColumnCount>());
    }
    return plan;
}
