#include "bench/store/bounded_parse.h"

#include "bench/store/bench_error.h"
#include "bench/store/byte_text.h"

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <algorithm>
#include <sstream>

namespace velkor {
namespace bench {
namespace bounded {

namespace pt = boost::property_tree;

std::size_t JsonDepth(const std::string& text) {
    std::size_t depth = 0;
    std::size_t deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

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

namespace {

// Refuses a text that nests deeper than `limit` before `read` parses it; what
// the parser throws becomes a BenchError too.
template <typename Read>
pt::ptree ParseBounded(const std::string& text, std::size_t depth, std::size_t limit, Read read) {
    if (depth > limit) {
        throw BenchError("nested deeper than " + std::to_string(limit) + " levels");
    }
    std::istringstream stream(text);
    pt::ptree tree;
    try {
        read(stream, tree);
    } catch (const pt::ptree_error& error) {
        throw BenchError(byte_text::Printable(error.what()));
    }
    return tree;
}

} // namespace

pt::ptree ParseJson(const std::string& text) {
    return ParseBounded(text, JsonDepth(text), MaxJsonDepth,
                        [](std::istream& stream, pt::ptree& tree) { pt::read_json(stream, tree); });
}

pt::ptree ParseXml(const std::string& text) {
    return ParseBounded(text, XmlDepth(text), MaxXmlDepth,
                        [](std::istream& stream, pt::ptree& tree) {
                            pt::read_xml(stream, tree, pt::xml_parser::trim_whitespace);
                        });
}

} // namespace bounded
} // namespace bench
} // namespace velkor
