#include "bench/store/bounded_parse.h"

#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"

#include <boost/property_tree/xml_parser.hpp>

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

namespace velkor {
namespace bench {
namespace bounded {

namespace pt = boost::property_tree;

std::size_t XmlDepth(const std::string& text) {
    const auto skipPast = [&text](std::size_t from, const char* end) {
        const std::size_t found = text.find(end, from);
        return found == std::string::npos ? text.size() : found + std::string(end).size();
    };
    std::size_t depth = 0;
    std::size_t deepest = 0;
    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos) {
        if (text.compare(i, 4, "<!--") == 0) {
            i = skipPast(i + 4, "-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = skipPast(i + 9, "]]>");
        } else if (text.compare(i, 2, "<?") == 0) {
            i = skipPast(i + 2, "?>");
        } else if (text.compare(i, 2, "<!") == 0) {
            i = skipPast(i + 2, ">");
        } else if (text.compare(i, 2, "</") == 0) {
            depth = depth > 0 ? depth - 1 : 0;
            i = skipPast(i + 2, ">");
        } else {
            // A start tag: find its end outside quoted attribute values.
            char quote = 0;
            std::size_t j = i + 1;
            for (; j < text.size(); ++j) {
                const char c = text[j];
                if (quote != 0) {
                    quote = c == quote ? 0 : quote;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            const bool selfClosing = j < text.size() && text[j - 1] == '/';
            if (!selfClosing) {
                deepest = std::max(deepest, ++depth);
            }
            i = j;
        }
    }
    return deepest;
}

std::size_t TreeDepth(const pt::ptree& tree) {
    // Iterative, so that a deep tree cannot exhaust the stack here either.
    std::size_t deepest = 0;
    std::vector<std::pair<const pt::ptree*, std::size_t>> pending = {{&tree, 0}};
    while (!pending.empty()) {
        const auto next = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, next.second);
        for (const auto& child : *next.first) {
            pending.emplace_back(&child.second, next.second + 1);
        }
    }
    return deepest;
}

pt::ptree ParseXml(const std::string& text) {
    if (XmlDepth(text) > MaxXmlDepth) {
        throw BenchError("nested deeper than " + std::to_string(MaxXmlDepth) + " levels");
    }
    std::istringstream stream(text);
    pt::ptree tree;
    try {
        pt::read_xml(stream, tree, pt::xml_parser::trim_whitespace);
    } catch (const pt::ptree_error& error) {
        throw BenchError(byte_text::Printable(error.what()));
    }
    return tree;
}

} // namespace bounded
} // namespace bench
} // namespace velkor
