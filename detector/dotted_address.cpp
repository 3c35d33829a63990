#include "detector/dotted_address.h"

#include "platform/tools/ip_address_utils.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/lexical_cast.hpp>

#include <sstream>
#include <vector>

bool dotted_address::Parse(const std::string& text, Numbers& numbers) {
    // One spelling for every address the program takes: the tools library's.
    if (!mirl::tools::IpAddressUtils::IsValidIpAddress(text)) {
        return false;
    }
    std::vector<std::string> parts;
    boost::split(parts, text, boost::is_any_of("."));
    Numbers converted{};
    for (std::size_t i = 0; i < converted.size(); ++i) {
        std::uint16_t value = 0;
        if (parts.size() != converted.size() ||
            !boost::conversion::try_lexical_convert(parts[i], value) || value > 255) {
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
