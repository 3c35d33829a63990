#include "platform/tools/ip_address_utils.h"

#include <boost/algorithm/string/split.hpp>

#include <vector>

namespace mirl {
namespace tools {

namespace {

// A decimal number without sign, blank or leading zero ("0" itself allowed).
bool ParseNumber(const std::string& text, unsigned maximum, unsigned& value) {
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text[0] == '0')) {
        return false;
    }
    unsigned result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        result = result * 10 + static_cast<unsigned>(c - '0');
    }
    if (result > maximum) {
        return false;
    }
    value = result;
    return true;
}

bool ParseAddress(const std::string& text, std::uint32_t& address) {
    std::vector<std::string> parts;
    boost::algorithm::split(parts, text, [](char c) { return c == '.'; });
    if (parts.size() != 4) {
        return false;
    }
    std::uint32_t result = 0;
    for (const std::string& part : parts) {
        unsigned number = 0;
        if (!ParseNumber(part, 255, number)) {
            return false;
        }
        result = (result << 8) | number;
    }
    address = result;
    return true;
}

bool ParseCidr(const std::string& text, std::uint32_t& address, unsigned& prefix) {
    const std::string::size_type slash = text.find('/');
    if (slash == std::string::npos) {
        return false;
    }
    return ParseAddress(text.substr(0, slash), address) &&
           ParseNumber(text.substr(slash + 1), 32, prefix);
}

} // namespace

bool IpAddressUtils::IsValidIpAddress(const std::string& address) {
    std::uint32_t value = 0;
    return ParseAddress(address, value);
}

bool IpAddressUtils::IsValidCIDRAddress(const std::string& address) {
    std::uint32_t value = 0;
    unsigned prefix = 0;
    return ParseCidr(address, value, prefix);
}

bool IpAddressUtils::AreInSameSubnet(const std::string& address, const std::string& cidrAddress) {
    std::uint32_t plain = 0;
    std::uint32_t network = 0;
    unsigned prefix = 0;
    if (!ParseAddress(address, plain) || !ParseCidr(cidrAddress, network, prefix)) {
        return false;
    }
    const std::uint32_t mask = prefix == 0 ? 0u : ~std::uint32_t(0) << (32 - prefix);
    return (plain & mask) == (network & mask);
}

std::uint16_t IpAddressUtils::GetIpAssociatedPort(const std::string& address,
                                                  std::uint16_t basePort) {
    std::uint32_t value = 0;
    if (!ParseAddress(address, value)) {
        return basePort;
    }
    const std::uint32_t port = std::uint32_t(basePort) + (value & 0xFFu);
    return port > 0xFFFFu ? std::uint16_t(0xFFFF) : static_cast<std::uint16_t>(port);
}

} // namespace tools
} // namespace mirl
