#pragma once

#include <boost/optional.hpp>

#include <string>
#include <vector>

namespace velkor {
namespace cli {

// The known name a mistyped `word` most likely meant: the same name in
// other letter case, else the nearest one within a couple of typing slips
// (a letter wrong, missing, added, or two swapped); none when nothing is
// that close. On a tie a name that starts with `word` wins, then the
// earlier name.
boost::optional<std::string> ClosestName(const std::string& word,
                                         const std::vector<std::string>& known);

// " (did you mean NAME?)", or nothing when no name is close.
std::string DidYouMean(const std::string& word, const std::vector<std::string>& known);

} // namespace cli
} // namespace velkor
