#pragma once

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem/path.hpp>

#include <string>

namespace tools_testing {

// A fresh folder in the system's temporary folder for one test, removed with
// all it holds when the test ends, also after a test took its permissions
// away. `prefix` starts its name, so that a leftover tells whose it is.
class ScratchFolder : private boost::noncopyable {
public:
    explicit ScratchFolder(const std::string& prefix = "velkor-test");
    ~ScratchFolder();

    const boost::filesystem::path& dir() const { return dir_; }

private:
    boost::filesystem::path dir_;
};

} // namespace tools_testing
