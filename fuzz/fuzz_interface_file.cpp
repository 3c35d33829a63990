// The 6080K's interface file 68 and its manager's write path.
//
// Input: the bytes of file 68 as the detector would hand them out. Besides a
// fixed list, the bytes after the first 68 are also tried as an address text.
//
// Properties: a decode succeeds exactly when there are at least 68 bytes, and
// then encodes back to the input byte for byte; a failed decode leaves the
// object as it was. Through Vk6080KIpManager::IpManager (file extension
// faked): a new detector address changes bytes 64-67 only, to its numbers; a
// refused address text writes nothing; a failed read keeps the file read
// before; after a failed first read, WriteConfig writes nothing.

#include "detector/6080k/interface_file.h"
#include "detector/6080k/vk6080k_ip_manager.h"
#include "detector/dotted_address.h"
#include "detector/testing/sample_files.h"
#include "fuzz/fake_file_extension.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/reference_rules.h"

#include <boost/make_shared.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using mirl::acquisition::vk6080K::InterfaceFile;
using mirl::tools::archive_exception;

namespace {

constexpr std::int32_t FileNumber = Vk6080KIpManager::InterfaceFileNumber;
constexpr std::size_t AddressOffset = 64;

// A file read before, with a trailer, that a failed decode must leave alone.
Bytes Previous() {
    Bytes bytes = sample_files::Interface({192, 168, 1, 10});
    bytes.insert(bytes.end(), {0xDE, 0xAD});
    return bytes;
}

void CheckCodec(const Bytes& input) {
    InterfaceFile file;
    file.Decode(Previous());
    const Bytes before = file.Encode();
    try {
        file.Decode(input);
    } catch (const archive_exception&) {
        FUZZ_REQUIRE(input.size() < InterfaceFile::Size, "a file of 68 bytes or more failed");
        FUZZ_REQUIRE(file.Encode() == before, "a failed decode changed the object");
        return;
    }
    FUZZ_REQUIRE(input.size() >= InterfaceFile::Size, "a file shorter than 68 bytes decoded");
    FUZZ_REQUIRE(file.Encode() == input, "decode then encode does not give back the input");
    for (std::size_t i = 0; i < 4; ++i) {
        FUZZ_REQUIRE(file.address[i] == input[AddressOffset + i],
                     "the address is not bytes 64-67 in dotted order");
    }
}

// Readdresses the file through the manager with one address text.
void CheckWrite(const Bytes& input, const std::string& address) {
    const auto extension = boost::make_shared<fuzz::FakeFileExtension>(FileNumber, input);
    Vk6080KIpManager::IpManager manager(extension);
    try {
        manager.ReadConfig();
    } catch (const archive_exception&) {
        FUZZ_REQUIRE(!input.empty() && input.size() < InterfaceFile::Size,
                     "ReadConfig failed to decode a long enough file");
        return;
    } catch (const std::out_of_range&) {
        FUZZ_REQUIRE(input.empty(), "ReadConfig called a non-empty file empty");
        return;
    }
    FUZZ_REQUIRE(input.size() >= InterfaceFile::Size, "ReadConfig took a short file");

    // A 6080K keeps no host address: this must change nothing.
    manager.SetHostIPAddress("10.0.0.1");
    manager.SetDetectorIPAddress(address);
    const bool written = manager.WriteConfig();

    std::array<std::uint8_t, 4> numbers{};
    if (!fuzz::DottedNumbers(address, numbers)) {
        FUZZ_REQUIRE(!written, "WriteConfig reported a write after a refused address");
        FUZZ_REQUIRE(extension->writes.empty(), "a refused address was written");
        return;
    }
    FUZZ_REQUIRE(written, "WriteConfig failed after a valid address");
    FUZZ_REQUIRE(extension->writes.size() == 1, "WriteConfig did not write exactly once");
    const Bytes& out = extension->writes.front();
    FUZZ_REQUIRE(out.size() == input.size(), "the file written changed length");
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i >= AddressOffset && i < AddressOffset + 4) {
            FUZZ_REQUIRE(out[i] == numbers[i - AddressOffset],
                         "an address byte does not hold the new number");
        } else {
            FUZZ_REQUIRE(out[i] == input[i], "a byte outside the address changed");
        }
    }
    FUZZ_REQUIRE(manager.GetDetectorIPAddress() ==
                     dotted_address::Format(numbers[0], numbers[1], numbers[2], numbers[3]),
                 "the manager does not report the address it wrote");
}

void CheckFailedReadKeepsFile(const Bytes& input) {
    const Bytes previous = Previous();
    fuzz::AfterAFailedRead<Vk6080KIpManager::IpManager>(
        FileNumber, previous, input, [&](auto& manager, const fuzz::FakeFileExtension& extension) {
            // What the manager would write back is still the file read before.
            FUZZ_REQUIRE(manager.WriteConfig() && extension.writes.back() == previous,
                         "a failed ReadConfig changed the file read before");
            FUZZ_REQUIRE(manager.GetDetectorIPAddress() == "192.168.1.10",
                         "a failed ReadConfig changed the address read before");
        });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, data + size);
    CheckCodec(input);
    CheckFailedReadKeepsFile(input);
    fuzz::FailedFirstReadWritesNothing<Vk6080KIpManager::IpManager>(FileNumber, input);

    std::vector<std::string> addresses = {
        "10.0.0.2", "192.168.0.66", "0.0.0.0", "255.255.255.255", "010.000.000.002", "10.0.0.256",
        "1.2.3",    "1.2.3.4.5",    "",        "10.0..2",         "+1.2.3.4",        "1.2.3.4 ",
    };
    if (input.size() >= InterfaceFile::Size) {
        // An address that differs from the stored one in every byte the input varies.
        addresses.push_back(dotted_address::Format(input[67], input[66], input[65], input[64]));
        // Whatever follows the 68 bytes, read as an address text.
        addresses.emplace_back(input.begin() + InterfaceFile::Size, input.end());
    }
    for (const std::string& address : addresses) {
        CheckWrite(input, address);
    }
    return 0;
}
