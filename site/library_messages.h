#pragma once

#include <boost/core/noncopyable.hpp>

#include <memory>
#include <string>
#include <vector>

// The messages the acquisition and module libraries give while it lives (the
// program's log's "det : " and "mod : " lines): where velkor-site finds the
// reason of a failure, to say it on the console.
class LibraryMessages : private boost::noncopyable {
public:
    LibraryMessages();
    ~LibraryMessages();

    // The last one, as "det : ..." or "mod : ..."; empty when none came.
    std::string Last() const;

private:
    std::shared_ptr<std::vector<std::string>> messages_;
};
