// The 7180/7380 RDXP file 206 and its manager's write path.
//
// Input: the bytes of file 206 as the detector would hand them out. The
// manager is also run on a copy whose checksum byte is made right, so that
// the fuzzer reaches the write path without guessing checksums. Besides a
// fixed list, the bytes after the checksum are also tried as address texts.
//
// Properties: a decode succeeds exactly when the bytes hold the header, the
// count, the reserved bytes, `count` records and the checksum byte, and then
// encodes back to the input byte for byte; a failed decode leaves the object
// as it was. Through Vk7x80IpManager::IpManager (file extension faked): a
// file with a wrong checksum is refused, a failed read keeps the file read
// before, and after a failed first read WriteConfig writes nothing; new addresses change only the
// value bytes of the address registers and the checksum byte, which is then the XOR of every byte
// before it; a refused address, or a missing register, writes nothing.

#include "detector/7x80/rdxp_file.h"
#include "detector/7x80/vk7x80_ip_manager.h"
#include "detector/dotted_address.h"
#include "detector/testing/sample_files.h"
#include "fuzz/fake_file_extension.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/reference_rules.h"

#include <boost/make_shared.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using mirl::acquisition::vk7x80::RDXPFile;
using mirl::tools::archive_exception;
using Registers = Vk7x80IpManager::IpManager::Registers;

namespace {

constexpr std::int32_t FileNumber = Vk7x80IpManager::RDXPFileNumber;
constexpr std::size_t CountOffset = 64;
constexpr std::size_t RecordsOffset = 80;
constexpr std::size_t RecordSize = 4;
constexpr std::size_t StoredRecords = 18;

// The layout, read independently of the code under test.
struct Layout {
    bool complete = false;
    std::size_t count = 0;
    std::size_t checksumOffset = 0;
    // Register id -> index of the last record holding it (the one that counts).
    std::map<std::uint16_t, std::size_t> lastRecord;
};

Layout LayoutOf(const Bytes& bytes) {
    Layout layout;
    if (bytes.size() <= CountOffset) {
        return layout;
    }
    layout.count = bytes[CountOffset];
    layout.checksumOffset = RecordsOffset + RecordSize * layout.count;
    layout.complete = bytes.size() > layout.checksumOffset;
    if (layout.complete) {
        for (std::size_t i = 0; i < layout.count; ++i) {
            const std::size_t at = RecordsOffset + RecordSize * i;
            layout.lastRecord[static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8))] = i;
        }
    }
    return layout;
}

bool HasAll(const Layout& layout, const Registers& registers) {
    for (const std::uint16_t id : registers) {
        if (layout.lastRecord.count(id) == 0) {
            return false;
        }
    }
    return true;
}

Bytes Previous() {
    Bytes bytes = sample_files::StoredRdxp();
    bytes.push_back(0x5A);
    return bytes;
}

void CheckCodec(const Bytes& input) {
    const Layout layout = LayoutOf(input);
    RDXPFile file;
    file.Decode(Previous());
    // Encoded, not copied: a copy would share the records with the original.
    const Bytes before = file.Encode();
    try {
        file.Decode(input);
    } catch (const archive_exception&) {
        FUZZ_REQUIRE(!layout.complete, "a complete file failed to decode");
        FUZZ_REQUIRE(file.Encode() == before, "a failed decode changed the object");
        return;
    }
    FUZZ_REQUIRE(layout.complete, "a file cut short decoded");
    FUZZ_REQUIRE(file.count == layout.count, "count is not byte 64");
    FUZZ_REQUIRE(file.ChecksumOffset() == layout.checksumOffset,
                 "the checksum offset does not follow the records");
    FUZZ_REQUIRE(file.checksum == input[layout.checksumOffset],
                 "the checksum is not the byte after the records");
    FUZZ_REQUIRE(file.Encode() == input, "decode then encode does not give back the input");

    FUZZ_REQUIRE(RDXPFile::Checksum(input, input.size()) ==
                     sample_files::XorOf(input, input.size()),
                 "Checksum is not the XOR of the bytes");
    bool refused = false;
    try {
        RDXPFile::Checksum(input, input.size() + 1);
    } catch (const std::out_of_range&) {
        refused = true;
    }
    FUZZ_REQUIRE(refused, "Checksum read beyond the file");
}

void CheckFailedReadKeepsFile(const Bytes& input) {
    const Bytes previous = Previous();
    fuzz::AfterAFailedRead<Vk7x80IpManager::IpManager>(
        FileNumber, previous, input, [&](auto& manager, const fuzz::FakeFileExtension&) {
            FUZZ_REQUIRE(manager.GetRDXPFile()->Encode() == previous,
                         "a failed ReadConfig changed the file read before");
            FUZZ_REQUIRE(manager.GetDetectorIPAddress() == "192.168.37.130" &&
                             manager.GetHostIPAddress() == "192.168.37.131",
                         "a failed ReadConfig changed the addresses read before");
        });
}

// Readdresses the file through the manager with one pair of address texts.
void CheckWrite(const Bytes& input, const std::string& host, const std::string& detector) {
    const Layout layout = LayoutOf(input);
    const auto extension = boost::make_shared<fuzz::FakeFileExtension>(FileNumber, input);
    Vk7x80IpManager::IpManager manager(extension);
    try {
        manager.ReadConfig();
    } catch (const archive_exception&) {
        FUZZ_REQUIRE(!input.empty() && !layout.complete, "ReadConfig failed on a complete file");
        return;
    } catch (const std::out_of_range&) {
        FUZZ_REQUIRE(input.empty(), "ReadConfig called a non-empty file empty");
        return;
    } catch (const std::runtime_error&) {
        FUZZ_REQUIRE(layout.complete && input[layout.checksumOffset] !=
                                            sample_files::XorOf(input, layout.checksumOffset),
                     "ReadConfig refused a file whose checksum is right");
        return;
    }
    FUZZ_REQUIRE(layout.complete && input[layout.checksumOffset] ==
                                        sample_files::XorOf(input, layout.checksumOffset),
                 "ReadConfig took a file cut short or with a wrong checksum");

    std::array<std::uint8_t, 4> hostNumbers{};
    std::array<std::uint8_t, 4> detectorNumbers{};
    const bool hostTaken = fuzz::DottedNumbers(host, hostNumbers) &&
                           HasAll(layout, Vk7x80IpManager::IpManager::CommandHostRegisters) &&
                           HasAll(layout, Vk7x80IpManager::IpManager::ImageHostRegisters);
    const bool detectorTaken = fuzz::DottedNumbers(detector, detectorNumbers) &&
                               HasAll(layout, Vk7x80IpManager::IpManager::DetectorRegisters);

    manager.SetHostIPAddress(host);
    manager.SetDetectorIPAddress(detector);
    bool written = false;
    try {
        written = manager.WriteConfig();
    } catch (const std::out_of_range&) {
        FUZZ_REQUIRE(hostTaken && detectorTaken && layout.count < StoredRecords,
                     "WriteConfig called a file of 18 records or more too short");
        FUZZ_REQUIRE(extension->writes.empty(), "a file too short was written");
        return;
    }
    if (!hostTaken || !detectorTaken) {
        FUZZ_REQUIRE(!written, "WriteConfig reported a write after a refused address");
        FUZZ_REQUIRE(extension->writes.empty(), "a refused address was written");
        return;
    }
    FUZZ_REQUIRE(layout.count >= StoredRecords, "a file shorter than 153 bytes was written");
    FUZZ_REQUIRE(written, "WriteConfig failed after valid addresses");
    FUZZ_REQUIRE(extension->writes.size() == 1, "WriteConfig did not write exactly once");
    const Bytes& out = extension->writes.front();
    FUZZ_REQUIRE(out.size() == input.size(), "the file written changed length");

    // The value bytes that may change: those of every record of an address register.
    std::set<std::size_t> changeable = {layout.checksumOffset};
    std::map<std::size_t, std::uint8_t> expected;
    const std::pair<const Registers*, const std::array<std::uint8_t, 4>*> groups[] = {
        {&Vk7x80IpManager::IpManager::DetectorRegisters, &detectorNumbers},
        {&Vk7x80IpManager::IpManager::CommandHostRegisters, &hostNumbers},
        {&Vk7x80IpManager::IpManager::ImageHostRegisters, &hostNumbers},
    };
    for (const auto& group : groups) {
        for (std::size_t n = 0; n < 4; ++n) {
            const std::uint16_t id = (*group.first)[n];
            for (std::size_t i = 0; i < layout.count; ++i) {
                const std::size_t at = RecordsOffset + RecordSize * i;
                if ((input[at] | (input[at + 1] << 8)) == id) {
                    changeable.insert(at + 2);
                }
            }
            expected[RecordsOffset + RecordSize * layout.lastRecord.at(id) + 2] =
                (*group.second)[n];
        }
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (changeable.count(i) == 0) {
            FUZZ_REQUIRE(out[i] == input[i], "a byte outside the addresses and checksum changed");
        }
    }
    for (const auto& value : expected) {
        FUZZ_REQUIRE(out[value.first] == value.second,
                     "the last record of an address register does not hold the new number");
    }
    FUZZ_REQUIRE(out[layout.checksumOffset] == sample_files::XorOf(out, layout.checksumOffset),
                 "the checksum written is not the XOR of the bytes before it");
    FUZZ_REQUIRE(manager.GetDetectorIPAddress() ==
                         dotted_address::Format(detectorNumbers[0], detectorNumbers[1],
                                                detectorNumbers[2], detectorNumbers[3]) &&
                     manager.GetHostIPAddress() ==
                         dotted_address::Format(hostNumbers[0], hostNumbers[1], hostNumbers[2],
                                                hostNumbers[3]),
                 "the manager does not report the addresses it wrote");
}

void CheckWrites(const Bytes& input) {
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"10.0.37.133", "10.0.37.132"},
        {"192.168.37.131", "192.168.37.130"},
        {"0.0.0.0", "255.255.255.255"},
        {"010.0.37.133", "10.0.037.132"},
        {"1.2.3", "10.0.37.132"},
        {"10.0.37.133", "10.0.37.256"},
        {"", ""},
        {"10.0.37.133", "10..37.132"},
    };
    const Layout layout = LayoutOf(input);
    if (layout.complete && input.size() > layout.checksumOffset + 1) {
        // Whatever follows the checksum, as either address.
        const std::string text(
            input.begin() + static_cast<std::ptrdiff_t>(layout.checksumOffset) + 1, input.end());
        pairs.emplace_back(text, "10.0.37.132");
        pairs.emplace_back("10.0.37.133", text);
    }
    for (const auto& pair : pairs) {
        CheckWrite(input, pair.first, pair.second);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, data + size);
    CheckCodec(input);
    CheckFailedReadKeepsFile(input);
    fuzz::FailedFirstReadWritesNothing<Vk7x80IpManager::IpManager>(FileNumber, input);
    CheckWrites(input);

    const Layout layout = LayoutOf(input);
    if (layout.complete) {
        Bytes fixed = input;
        fixed[layout.checksumOffset] = sample_files::XorOf(fixed, layout.checksumOffset);
        if (fixed != input) {
            CheckWrites(fixed);
        }
    }
    return 0;
}
