#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

// What a roll-out shows while it goes: one line per finished row and, on a
// terminal, a line updated in place while a row runs (row n of m, which,
// how long so far).
class ProgressLine {
public:
    ProgressLine(std::ostream& out, bool inPlace, std::size_t rows);

    void Start(std::size_t row, const std::string& name);
    void Tick();
    // Replaces the progress line by the finished row's line.
    void Finish(const std::string& line);

private:
    void Show();
    void Rewrite(const std::string& text);

    std::ostream& out_;
    bool inPlace_;
    std::size_t rows_;
    std::size_t row_ = 0;
    std::string name_;
    std::chrono::steady_clock::time_point started_;
    std::size_t shown_ = 0; // how much of the line the progress shows now
};
