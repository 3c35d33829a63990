#pragma once

#include <boost/core/noncopyable.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace fuzz {

// A broken property must end the run as a crash, so that libFuzzer keeps the
// input and the script fails.
[[noreturn]] inline void PropertyFailed(const char* file, int line, const char* what) {
    std::fprintf(stderr, "\n%s:%d: property failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_REQUIRE(condition, what)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::fuzz::PropertyFailed(__FILE__, __LINE__, what);                                      \
        }                                                                                          \
    } while (false)

inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The pieces of a text between NUL bytes: "a\0b" gives {"a", "b"}, "" gives {}.
inline std::vector<std::string> SplitAtNul(const std::string& text) {
    std::vector<std::string> words;
    if (text.empty()) {
        return words;
    }
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type nul = text.find('\0', start);
        if (nul == std::string::npos) {
            words.push_back(text.substr(start));
            return words;
        }
        words.push_back(text.substr(start, nul - start));
        start = nul + 1;
    }
}

// Piece `index` of SplitAtNul, or the empty text when there are fewer pieces.
inline std::string Piece(const std::vector<std::string>& pieces, std::size_t index) {
    return index < pieces.size() ? pieces[index] : std::string();
}

// Swallows whatever is written to it: the program's own checks are re-run
// against it, where only their verdict matters.
class NullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

class NullStream : public std::ostream {
public:
    NullStream() : std::ostream(&buffer_) {}

private:
    NullBuffer buffer_;
};

// Sends a standard stream into a buffer of ours while it lives, so that what
// the code under test writes there can be checked (and the fuzzer's own output
// stays readable).
class StreamRedirect : private boost::noncopyable {
public:
    StreamRedirect(std::ostream& stream, std::streambuf* into)
        : stream_(stream), previous_(stream.rdbuf(into)) {}
    ~StreamRedirect() { stream_.rdbuf(previous_); }

private:
    std::ostream& stream_;
    std::streambuf* previous_;
};

} // namespace fuzz
