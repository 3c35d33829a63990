#pragma once

#include <boost/filesystem/path.hpp>

#include <stdexcept>
#include <string>

namespace velkor {
namespace bench {

// Everything the bench refuses or cannot do; the text is meant for the user.
class BenchError : public std::runtime_error {
public:
    explicit BenchError(const std::string& what) : std::runtime_error(what) {}
};

// The texts of the errors the store gives in several places:
// "no detector ID on the bench at BENCH".
std::string NoDetectorText(const boost::filesystem::path& bench, const std::string& id);
// "detector ID is damaged: REASON".
std::string DamagedText(const std::string& id, const std::string& reason);
// "PATH is a symbolic link: the bench follows no link it did not make".
std::string LinkText(const boost::filesystem::path& path);

} // namespace bench
} // namespace velkor
