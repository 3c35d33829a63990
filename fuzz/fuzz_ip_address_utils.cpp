// The address texts: IpAddressUtils and the detector files' DottedAddress.
//
// Input: two bytes of base port, then two texts separated by a NUL byte.
//
// Properties, against the documented rules written again here: a plain
// address is four numbers 0-255 without sign, blank or leading zero; a CIDR
// address adds "/" and a prefix length 0-32 written the same way; two
// addresses share a subnet when their leading prefix bits agree, and never
// when either is malformed; the associated port is the base port plus the
// last number, saturated at 65535, or the base port for a malformed address.
// DottedAddress takes four numbers 0-255 (leading zeros allowed), leaves its
// output alone when it refuses, and formats a valid plain address back to
// the same text. Nothing throws.

#include "detector/dotted_address.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/reference_rules.h"
#include "platform/tools/ip_address_utils.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using mirl::tools::IpAddressUtils;

namespace {

void CheckSyntax(const std::string& text) {
    std::uint32_t address = 0;
    unsigned prefix = 0;
    const bool plain = fuzz::StrictAddress(text, address);
    FUZZ_REQUIRE(IpAddressUtils::IsValidIpAddress(text) == plain,
                 "IsValidIpAddress disagrees with the plain address rule");
    FUZZ_REQUIRE(IpAddressUtils::IsValidCIDRAddress(text) ==
                     fuzz::StrictCidr(text, address, prefix),
                 "IsValidCIDRAddress disagrees with the CIDR address rule");
    if (plain) {
        FUZZ_REQUIRE(IpAddressUtils::IsValidCIDRAddress(text + "/0") &&
                         IpAddressUtils::IsValidCIDRAddress(text + "/32") &&
                         !IpAddressUtils::IsValidCIDRAddress(text + "/33") &&
                         !IpAddressUtils::IsValidCIDRAddress(text + "/032"),
                     "a valid address with a prefix length is judged wrongly");
        FUZZ_REQUIRE(IpAddressUtils::AreInSameSubnet(text, text + "/32"),
                     "an address is not in its own /32 subnet");
    }

    std::array<std::uint8_t, 4> expected{};
    const bool dotted = fuzz::DottedNumbers(text, expected);
    dotted_address::Numbers numbers{{7, 7, 7, 7}};
    const bool parsed = dotted_address::Parse(text, numbers);
    FUZZ_REQUIRE(parsed == dotted, "DottedAddress::Parse disagrees with the dotted address rule");
    if (parsed) {
        FUZZ_REQUIRE(numbers == expected, "DottedAddress::Parse gave other numbers");
    } else {
        FUZZ_REQUIRE((numbers == dotted_address::Numbers{{7, 7, 7, 7}}),
                     "a refused dotted_address::Parse changed its output");
    }
    if (plain) {
        FUZZ_REQUIRE(parsed && dotted_address::Format(numbers[0], numbers[1], numbers[2],
                                                      numbers[3]) == text,
                     "a valid plain address does not format back to itself");
    }
}

void CheckSubnet(const std::string& address, const std::string& cidr) {
    std::uint32_t plain = 0;
    std::uint32_t network = 0;
    unsigned prefix = 0;
    bool expected = false;
    if (fuzz::StrictAddress(address, plain) && fuzz::StrictCidr(cidr, network, prefix)) {
        expected = true;
        // Compared bit by bit from the top, without any shift by 32.
        for (unsigned bit = 0; bit < prefix; ++bit) {
            const std::uint32_t mask = 0x80000000u >> bit;
            if ((plain & mask) != (network & mask)) {
                expected = false;
            }
        }
    }
    FUZZ_REQUIRE(IpAddressUtils::AreInSameSubnet(address, cidr) == expected,
                 "AreInSameSubnet disagrees with the subnet rule");
}

void CheckPort(const std::string& address, std::uint16_t base) {
    std::uint32_t value = 0;
    std::uint32_t expected = base;
    if (fuzz::StrictAddress(address, value)) {
        expected += value % 256;
        if (expected > 65535) {
            expected = 65535;
        }
    }
    FUZZ_REQUIRE(IpAddressUtils::GetIpAssociatedPort(address, base) == expected,
                 "GetIpAssociatedPort is not the base port plus the last number");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint16_t base = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
    const std::vector<std::string> texts = fuzz::SplitAtNul(fuzz::Text(data + 2, size - 2));
    const std::string first = fuzz::Piece(texts, 0);
    const std::string second = fuzz::Piece(texts, 1);
    CheckSyntax(first);
    CheckSyntax(second);
    CheckSubnet(first, second);
    CheckSubnet(second, first);
    CheckPort(first, base);
    CheckPort(second, base);
    return 0;
}
