#include "platform/tools/ip_address_utils.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/ip/network_v4.hpp>

#include <algorithm>
#include <cctype>

namespace mirl {
namespace tools {

namespace {

namespace ip = boost::asio::ip;

// What the address parser itself does not refuse on every system: a number
// with a leading zero (some read it as octal, and the prefix parser takes
// "/024"), a prefix longer than two digits, and a NUL that would end the text
// early.
bool PlainSpelling(const std::string& text, std::size_t digitsAtMost) {
    if (text.find('\0') != std::string::npos) {
        return false;
    }
    std::size_t run = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++run;
            continue;
        }
        if (run > digitsAtMost || (run > 1 && text[i - run] == '0')) {
            return false;
        }
        run = 0;
    }
    return true;
}

bool ParseAddress(const std::string& text, ip::address_v4& address) {
    if (!PlainSpelling(text, 3)) {
        return false;
    }
    boost::system::error_code error;
    address = ip::make_address_v4(text, error);
    return !error;
}

bool ParseCidr(const std::string& text, ip::network_v4& network) {
    const std::string::size_type slash = text.find('/');
    if (slash == std::string::npos || !PlainSpelling(text.substr(slash + 1), 2)) {
        return false;
    }
    ip::address_v4 address;
    if (!ParseAddress(text.substr(0, slash), address)) {
        return false;
    }
    boost::system::error_code error;
    network = ip::make_network_v4(text, error);
    return !error;
}

} // namespace

bool IpAddressUtils::IsValidIpAddress(const std::string& address) {
    ip::address_v4 parsed;
    return ParseAddress(address, parsed);
}

bool IpAddressUtils::IsValidCIDRAddress(const std::string& address) {
    ip::network_v4 parsed;
    return ParseCidr(address, parsed);
}

bool IpAddressUtils::AreInSameSubnet(const std::string& address, const std::string& cidrAddress) {
    ip::address_v4 plain;
    ip::network_v4 network;
    if (!ParseAddress(address, plain) || !ParseCidr(cidrAddress, network)) {
        return false;
    }
    return ip::network_v4(plain, network.prefix_length()).network() == network.network();
}

std::uint16_t IpAddressUtils::GetIpAssociatedPort(const std::string& address,
                                                  std::uint16_t basePort) {
    ip::address_v4 parsed;
    if (!ParseAddress(address, parsed)) {
        return basePort;
    }
    const std::uint32_t port = std::uint32_t(basePort) + parsed.to_bytes()[3];
    return port > 0xFFFFu ? std::uint16_t(0xFFFF) : static_cast<std::uint16_t>(port);
}

} // namespace tools
} // namespace mirl
