#pragma once

#include <boost/property_tree/ptree.hpp>

#include <cstddef>
#include <string>

namespace velkor {
namespace bench {

// The property tree's parsers recurse once per level of nesting, so a damaged
// file of a few hundred kilobytes of "[" or "<a>" would overflow the stack.
// Every stored text is measured first and refused when it nests deeper than
// anything the bench writes.
namespace bounded {

// bench.json and detector.json are three levels deep.
constexpr std::size_t MaxJsonDepth = 8;
// The factory user configuration is two levels deep; documents the program
// stores are held to this too.
constexpr std::size_t MaxXmlDepth = 16;

// Throw BenchError naming the reason when the text is not a document or nests
// too deep.
boost::property_tree::ptree ParseJson(const std::string& text);
boost::property_tree::ptree ParseXml(const std::string& text);

// Deepest nesting of objects and arrays (outside strings).
std::size_t JsonDepth(const std::string& text);
// Deepest nesting of elements; comments, CDATA, declarations and quoted
// attribute values do not count. Unclosed elements count as open.
std::size_t XmlDepth(const std::string& text);
// Levels below the root: a tree without children has depth 0.
std::size_t TreeDepth(const boost::property_tree::ptree& tree);

} // namespace bounded
} // namespace bench
} // namespace velkor
