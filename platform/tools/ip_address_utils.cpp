#include "platform/tools/ip_address_utils.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/ip/network_v4.hpp>

#include <algorithm>
#include <cctype>

namespace mirl {
namespace tools {

namespace {

namespace ip = boost::asio::ip;

// The spelling the detectors and the command line use, which not every
// system's address parser insists on (some take "1.2.3", "0x4", "010" as
// octal, or a prefix "/024"): exactly four decimal numbers joined by ".",
// each of one to three digits without a leading zero. The parser checks the
// rest (each number up to 255).
bool DottedQuadSpelling(const std::string& text) {
    int numbers = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++run;
            continue;
        }
        if (run == 0 || run > 3 || (run > 1 && text[i - run] == '0')) {
            return false;
        }
        ++numbers;
        if (i < text.size() && (text[i] != '.' || numbers == 4)) {
            return false;
        }
        run = 0;
    }
    return numbers == 4;
}

// A prefix length of one or two digits, without a leading zero.
bool PrefixSpelling(const std::string& text) {
    return !text.empty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    }) && (text.size() == 1 || text[0] != '0');
}

bool ParseAddress(const std::string& text, ip::address_v4& address) {
    if (!DottedQuadSpelling(text)) {
        return false;
    }
    boost::system::error_code error;
    address = ip::make_address_v4(text, error);
    return !error;
}

bool ParseCidr(const std::string& text, ip::network_v4& network) {
    const std::string::size_type slash = text.find('/');
    if (slash == std::string::npos || !PrefixSpelling(text.substr(slash + 1))) {
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
