#include "cli/closest_name.h"

#include <boost/algorithm/string/case_conv.hpp>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace velkor {
namespace cli {

namespace {

// Edit distance counting a swap of two neighbouring letters as one slip
// ("lsit" for "list"). Neither Boost nor the standard library has one.
std::size_t Slips(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

boost::optional<std::string> ClosestName(const std::string& word,
                                         const std::vector<std::string>& known) {
    // Long words are no one's typing slip, and would cost a large table.
    constexpr std::size_t LongestWord = 64;
    if (word.empty() || word.size() > LongestWord) {
        return boost::none;
    }
    const std::string folded = boost::algorithm::to_lower_copy(word);
    // Two slips in a short word leave too little of it to go by.
    const std::size_t allowed = folded.size() <= 3 ? 1 : 2;
    // Fewest slips first; between equals, a name the word begins ("6080Q"
    // is the start of 6080QL more likely than a slip for 6080K).
    boost::optional<std::string> best;
    std::pair<std::size_t, bool> bestRank(allowed + 1, false);
    for (const std::string& name : known) {
        const std::string candidate = boost::algorithm::to_lower_copy(name);
        const std::pair<std::size_t, bool> rank(Slips(folded, candidate),
                                                candidate.compare(0, folded.size(), folded) != 0);
        if (rank < bestRank) {
            best = name;
            bestRank = rank;
        }
    }
    return best;
}

std::string DidYouMean(const std::string& word, const std::vector<std::string>& known) {
    const auto name = ClosestName(word, known);
    return name ? " (did you mean " + *name + "?)" : std::string();
}

} // namespace cli
} // namespace velkor
