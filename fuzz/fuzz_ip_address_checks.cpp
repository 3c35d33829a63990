// The address checks of the command line: CheckCurrentIpAddresses,
// CheckIpAddressChange and CheckIpSubsetRules.
//
// Input: one byte choosing the detector type (value % 6, the invalid type
// included), then current detector, current peer, new detector and new peer
// address texts separated by NUL bytes.
//
// Properties: no check throws or crashes; one that refuses writes exactly one
// line, starting "Error - ", and one that accepts writes nothing. Called
// without a stream, a check writes the same to standard error (current
// addresses, address change) or to standard output (subset rules), and nothing
// to the other one. What a family's subset rules accept lies within the fixed
// address sets or prefixes that family is sold with. An address change that
// is accepted for a family with prefix lengths gives the detector an address
// other than its host's, and neither of them is the first or the last
// address of a subnet of 4 or more addresses.

#include "addressing/ip_address_checks.h"
#include "app/detector_type.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/reference_rules.h"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Addresses {
    std::string currentDetector;
    std::string currentPeer;
    std::string newDetector;
    std::string newPeer;
};

bool HasLineEnd(const Addresses& a) {
    for (const std::string* text :
         {&a.currentDetector, &a.currentPeer, &a.newDetector, &a.newPeer}) {
        if (text->find('\n') != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The one-line rule; an address holding a line end is echoed as it is, so
// then only the start and the end of the line are checked.
void CheckWritten(bool accepted, const std::string& written, bool lineEndsInInput) {
    if (accepted) {
        FUZZ_REQUIRE(written.empty(), "a check that accepts wrote something");
        return;
    }
    FUZZ_REQUIRE(written.compare(0, 8, "Error - ") == 0,
                 "a check that refuses did not write a line starting \"Error - \"");
    FUZZ_REQUIRE(!written.empty() && written.back() == '\n',
                 "a check that refuses did not end its line");
    if (!lineEndsInInput) {
        FUZZ_REQUIRE(written.find('\n') == written.size() - 1,
                     "a check that refuses wrote more than one line");
    }
}

enum class Stream { Err, Out };

// Runs a check on a stream of its own, then without one, on its standard
// stream: `check` is called with the stream or with nothing.
template <typename Check> bool CheckBoth(Check check, Stream standard, bool lineEnds) {
    std::ostringstream given;
    const bool accepted = check(given);
    CheckWritten(accepted, given.str(), lineEnds);

    std::ostringstream out;
    std::ostringstream err;
    bool again = false;
    {
        fuzz::StreamRedirect toOut(std::cout, out.rdbuf());
        fuzz::StreamRedirect toErr(std::cerr, err.rdbuf());
        again = check();
    }
    FUZZ_REQUIRE(again == accepted, "a check disagrees with itself without a stream");
    const std::string& expected = given.str();
    if (standard == Stream::Err) {
        FUZZ_REQUIRE(err.str() == expected && out.str().empty(),
                     "this check must write its line to standard error only");
    } else {
        FUZZ_REQUIRE(out.str() == expected && err.str().empty(),
                     "the subset rules must write their line to standard output only");
    }
    return accepted;
}

bool StartsWithEither(const std::string& text) {
    return text.compare(0, 8, "192.168.") == 0 || text.compare(0, 5, "10.0.") == 0;
}

// What the families accept, from their published address tables.
void CheckSubsetVerdict(DetectorType type, const Addresses& a) {
    static const std::set<std::string> vk6080K = {"10.0.0.2", "10.0.0.66", "192.168.0.2",
                                                  "192.168.0.66"};
    static const std::set<std::pair<std::string, std::string>> vk7x80Pairs = {
        {"192.168.37.130", "192.168.37.131"},
        {"192.168.37.132", "192.168.37.133"},
        {"10.0.37.130", "10.0.37.131"},
        {"10.0.37.132", "10.0.37.133"},
    };
    static const std::set<std::string> vk7x80Detectors = {"192.168.37.130", "192.168.37.132",
                                                          "10.0.37.130", "10.0.37.132"};
    switch (type) {
    case Vk6080K:
        FUZZ_REQUIRE(vk6080K.count(a.currentDetector) && vk6080K.count(a.newDetector),
                     "the 6080K subset rules accepted an address outside its four");
        break;
    case Vk7x80:
        FUZZ_REQUIRE(vk7x80Detectors.count(a.currentDetector) &&
                         vk7x80Pairs.count({a.newDetector, a.newPeer}),
                     "the 7x80 subset rules accepted addresses outside its pairs");
        break;
    case VknQ2:
    case Vk7380TW:
    case Vk6080MV:
        FUZZ_REQUIRE(StartsWithEither(a.currentDetector) && StartsWithEither(a.currentPeer) &&
                         StartsWithEither(a.newDetector) && StartsWithEither(a.newPeer),
                     "prefix subset rules accepted an address outside 192.168. and 10.0.");
        break;
    case InvalidDetectorType:
        break;
    }
}

// A host of the new subnet must be able to reach both new addresses.
void CheckChangeVerdict(DetectorType type, const Addresses& a) {
    if (!detector_type::HasCidrPeer(type)) {
        return;
    }
    std::uint32_t detector = 0;
    std::uint32_t peer = 0;
    unsigned prefix = 0;
    FUZZ_REQUIRE(fuzz::StrictAddress(a.newDetector, detector) &&
                     fuzz::StrictCidr(a.newPeer, peer, prefix),
                 "an address change was accepted with malformed new addresses");
    FUZZ_REQUIRE(detector != peer, "the detector was given its host's address");
    if (prefix <= 30) {
        const auto hostBits = static_cast<std::uint32_t>((std::uint64_t(1) << (32 - prefix)) - 1);
        for (const std::uint32_t address : {detector, peer}) {
            FUZZ_REQUIRE((address & hostBits) != 0 && (address & hostBits) != hostBits,
                         "a new address is the network or broadcast address of its subnet");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const DetectorType type = static_cast<DetectorType>(static_cast<int>(data[0] % 6) - 1);
    const std::vector<std::string> texts = fuzz::SplitAtNul(fuzz::Text(data + 1, size - 1));
    const Addresses a{fuzz::Piece(texts, 0), fuzz::Piece(texts, 1), fuzz::Piece(texts, 2),
                      fuzz::Piece(texts, 3)};
    const bool lineEnds = HasLineEnd(a);

    CheckBoth(
        [&](auto&... stream) {
            return CheckCurrentIpAddresses(type, a.currentDetector, a.currentPeer, stream...);
        },
        Stream::Err, lineEnds);
    const bool change = CheckBoth(
        [&](auto&... stream) {
            return CheckIpAddressChange(type, a.currentDetector, a.currentPeer, a.newDetector,
                                        a.newPeer, stream...);
        },
        Stream::Err, lineEnds);
    if (change) {
        CheckChangeVerdict(type, a);
    }
    const bool subset = CheckBoth(
        [&](auto&... stream) {
            return CheckIpSubsetRules(type, a.currentDetector, a.currentPeer, a.newDetector,
                                      a.newPeer, stream...);
        },
        Stream::Out, lineEnds);
    if (subset) {
        CheckSubsetVerdict(type, a);
    }
    return 0;
}
