#pragma once

#include <boost/optional.hpp>

#include <array>
#include <cstdint>
#include <string>

namespace velkor {
namespace bench {

// Address texts as a detector accepts them: strict dotted quads, no blanks,
// no leading zeros, optionally with a "/" prefix length.
class AddressText {
public:
    using Quad = std::array<std::uint8_t, 4>;

    static boost::optional<Quad> Parse(const std::string& text);
    static bool IsPlain(const std::string& text);
    static bool IsCidr(const std::string& text);
    static std::string Format(const Quad& quad);
    // The text before the first "/", the whole text when there is none.
    static std::string PlainPart(const std::string& text);
};

} // namespace bench
} // namespace velkor
