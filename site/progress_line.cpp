#include "site/progress_line.h"

#include <sstream>

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
    std::ostringstream line;
    line << "row " << row_ << " of " << rows_ << ": " << name_ << " (" << seconds << " s)";
    Rewrite(line.str());
    out_ << std::flush;
}

// Back to the start of the line, over what it showed; blanks, not a
// terminal's control sequence, wipe what is left (any console takes them).
void ProgressLine::Rewrite(const std::string& text) {
    out_ << "\r" << text << std::string(shown_ > text.size() ? shown_ - text.size() : 0, ' ');
    if (shown_ > text.size()) {
        out_ << "\r" << text;
    }
    shown_ = text.size();
}

void ProgressLine::Finish(const std::string& line) {
    if (inPlace_) {
        Rewrite(line);
        shown_ = 0;
        out_ << std::endl;
    } else {
        out_ << line << std::endl;
    }
}
