#pragma once

#include <boost/property_tree/ptree.hpp>

#include <cstddef>
#include <string>

namespace velkor {
namespace bench {

// The user configuration is XML in a property tree, as the library API hands
// it over. The property tree's parser recurses once per level of nesting, so
// a damaged document of a few hundred kilobytes of "<a>" would overflow the
// stack: it is measured first and refused when it nests deeper than anything
// the bench writes. (The JSON files are bounded while they are parsed, see
// stored_json.)
namespace bounded {

// The factory user configuration is two levels deep; documents the program
// stores are held to this too.
constexpr std::size_t MaxXmlDepth = 16;

// Throws BenchError naming the reason when the text is not a document or
// nests too deep.
boost::property_tree::ptree ParseXml(const std::string& text);

// Deepest nesting of elements; comments, CDATA, declarations and quoted
// attribute values do not count. Unclosed elements count as open.
std::size_t XmlDepth(const std::string& text);
// Levels below the root: a tree without children has depth 0.
std::size_t TreeDepth(const boost::property_tree::ptree& tree);

} // namespace bounded
} // namespace bench
} // namespace velkor
