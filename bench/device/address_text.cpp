#include "bench/device/address_text.h"

namespace velkor {
namespace bench {
namespace address_text {

namespace {

// A decimal number without sign, blank or leading zero, at most `limit`.
boost::optional<unsigned> ParseNumber(const std::string& text, unsigned limit) {
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text[0] == '0')) {
        return boost::none;
    }
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return boost::none;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > limit) {
        return boost::none;
    }
    return value;
}

} // namespace

boost::optional<Quad> Parse(const std::string& text) {
    Quad quad{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < quad.size(); ++i) {
        const std::size_t end = text.find('.', start);
        const bool last = i + 1 == quad.size();
        if (last != (end == std::string::npos)) {
            return boost::none;
        }
        const auto number =
            ParseNumber(text.substr(start, last ? std::string::npos : end - start), 255);
        if (!number) {
            return boost::none;
        }
        quad[i] = static_cast<std::uint8_t>(*number);
        start = end + 1;
    }
    return quad;
}

bool IsPlain(const std::string& text) {
    return static_cast<bool>(Parse(text));
}

bool IsCidr(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) {
        return false;
    }
    return IsPlain(text.substr(0, slash)) && ParseNumber(text.substr(slash + 1), 32);
}

std::string Format(const Quad& quad) {
    return std::to_string(quad[0]) + "." + std::to_string(quad[1]) + "." + std::to_string(quad[2]) +
           "." + std::to_string(quad[3]);
}

std::string PlainPart(const std::string& text) {
    return text.substr(0, text.find('/'));
}

} // namespace address_text
} // namespace bench
} // namespace velkor
