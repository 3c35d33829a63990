#include "detector/dotted_address.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/lexical_cast.hpp>

#include <sstream>
#include <vector>

bool dotted_address::Parse(const std::string& text, Numbers& numbers) {
    std::vector<std::string> parts;
    boost::split(parts, text, boost::is_any_of("."));
    if (parts.size() != 4) {
        return false;
    }
    Numbers converted{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        // lexical_cast alone takes a sign and wraps negative values.
        if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        std::uint16_t value = 0;
        if (!boost::conversion::try_lexical_convert(part, value) || value > 255) {
            return false;
        }
        converted[i] = static_cast<std::uint8_t>(value);
    }
    numbers = converted;
    return true;
}

std::string dotted_address::Format(std::uint8_t first, std::uint8_t second, std::uint8_t third,
                                   std::uint8_t fourth) {
    std::ostringstream text;
    text << unsigned(first) << '.' << unsigned(second) << '.' << unsigned(third) << '.'
         << unsigned(fourth);
    return text.str();
}
