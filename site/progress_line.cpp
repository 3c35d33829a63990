#include "site/progress_line.h"

namespace {

// Back to the start of the line, and the line cleared.
const char* const Rewind = "\r\x1b[K";

} // namespace

ProgressLine::ProgressLine(std::ostream& out, bool inPlace, std::size_t rows)
    : out_(out), inPlace_(inPlace), rows_(rows) {}

void ProgressLine::Start(std::size_t row, const std::string& name) {
    row_ = row;
    name_ = name;
    started_ = std::chrono::steady_clock::now();
    Show();
}

void ProgressLine::Tick() {
    Show();
}

void ProgressLine::Show() {
    if (!inPlace_) {
        return;
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::steady_clock::now() - started_)
                             .count();
    out_ << Rewind << "row " << row_ << " of " << rows_ << ": " << name_ << " (" << seconds << " s)"
         << std::flush;
}

void ProgressLine::Finish(const std::string& line) {
    out_ << (inPlace_ ? Rewind : "") << line << std::endl;
}
