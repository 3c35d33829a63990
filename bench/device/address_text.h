#pragma once

#include <boost/optional.hpp>

#include <array>
#include <cstdint>
#include <string>

namespace velkor {
namespace bench {

// Address texts as a detector accepts them: strict dotted quads, no blanks,
// no leading zeros, optionally with a "/" prefix length. The bench is a device
// of its own and keeps its own reading of them, apart from the program's, so
// that it catches the program's mistakes instead of sharing them.
namespace address_text {

using Quad = std::array<std::uint8_t, 4>;

boost::optional<Quad> Parse(const std::string& text);
bool IsPlain(const std::string& text);
bool IsCidr(const std::string& text);
std::string Format(const Quad& quad);
// The text before the first "/", the whole text when there is none.
std::string PlainPart(const std::string& text);

} // namespace address_text

} // namespace bench
} // namespace velkor
