#include "detector/7x80/vk7x80_ip_manager.h"

#include "detector/detector_parameter.h"
#include "detector/dotted_address.h"
#include "detector/extension_lookup.h"
#include "detector/hardware_options.h"
#include "platform/tools/logger.h"

#include <boost/make_shared.hpp>

#include <iomanip>
#include <sstream>
#include <stdexcept>

using mirl::acquisition::Bytes;
using mirl::acquisition::vk7x80::RDXPFile;

namespace {

std::string Hex(unsigned value, int width) {
    std::ostringstream text;
    text << "0x" << std::uppercase << std::hex << std::setw(width) << std::setfill('0') << value;
    return text.str();
}

} // namespace

void Vk7x80IpManager::Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) {
    const auto file = extension_lookup::File(*detector, "Vk7x80IpManager");
    ipManager = boost::make_shared<IpManager>(file);
}

void Vk7x80IpManager::FillDetectorParameter(DetectorParameter& parameter) {
    parameter.FillNotUsed();
}

void Vk7x80IpManager::FillOptions(mirl::acquisition::OptionGroups& options,
                                  const std::string& detectorIp, const std::string& /*peerIp*/) {
    HardwareOptions()
        .Add("detector.path", detectorIp + ":" + std::to_string(DetectorPort))
        .Add("local.command.port", "2046")
        .Add("local.image.port", "6001")
        .Add("protocol.traces.show", "no")
        .Add("protocol.statistics.show", "no")
        .AppendTo(options);
}

Vk7x80IpManager::IpManager::IpManager(const boost::shared_ptr<mirl::acquisition::FileIface>& file)
    : fileExtension(file) {}

void Vk7x80IpManager::IpManager::ReadConfig() {
    Bytes bytes;
    fileExtension->readFile(RDXPFileNumber, bytes);
    if (bytes.empty()) {
        throw std::out_of_range("RDXP file 206 is empty");
    }
    RDXPFile decoded;
    try {
        decoded.Decode(bytes);
    } catch (const mirl::tools::archive_exception& e) {
        LOG_ERROR(
            "Vk7x80IpManager::_ReadRDXPFile - Unable to decode RDXPFile structure : " << e.what());
        throw;
    }
    // Writing back a file that arrived damaged would make the damage permanent.
    const std::uint8_t expected = RDXPFile::Checksum(bytes, decoded.ChecksumOffset());
    if (expected != decoded.checksum) {
        LOG_ERROR("Vk7x80IpManager::_ReadRDXPFile - RDXPFile checksum mismatch : expected "
                  << Hex(expected, 2) << ", found " << Hex(decoded.checksum, 2));
        throw std::runtime_error("RDXP file 206 has a wrong checksum");
    }
    // Kept only once decoded and checked: a failed first read must leave
    // WriteConfig nothing to write, a failed later one the file read before.
    rdxpFile = boost::make_shared<RDXPFile>(decoded);
    registerIndex.clear();
    for (std::uint16_t i = 0; i < rdxpFile->count; ++i) {
        registerIndex[rdxpFile->records[i].id] = i;
    }
    addressRefused = false;
}

bool Vk7x80IpManager::IpManager::WriteConfig() {
    if (!rdxpFile) {
        LOG_ERROR("Vk7x80IpManager::IpManager::WriteConfig - no RDXP file has been read, nothing "
                  "written");
        return false;
    }
    if (addressRefused) {
        LOG_ERROR("Vk7x80IpManager::IpManager::WriteConfig - an address was refused, nothing "
                  "written");
        return false;
    }
    Bytes bytes;
    try {
        bytes = rdxpFile->Encode();
    } catch (const mirl::tools::archive_exception& e) {
        LOG_ERROR(
            "Vk7x80IpManager::_WriteRDXPFile - Unable to encode RDXPFile structure : " << e.what());
        throw;
    }
    if (rdxpFile->StructureSize() < RDXPFile::StoredSize) {
        throw std::out_of_range("RDXP file 206 is shorter than 153 bytes");
    }
    // The checksum sits right after the last record, whatever the record count.
    const std::size_t offset = rdxpFile->ChecksumOffset();
    bytes[offset] = RDXPFile::Checksum(bytes, offset);
    fileExtension->writeFile(RDXPFileNumber, bytes);
    return true;
}

void Vk7x80IpManager::IpManager::SetHostIPAddress(const std::string& hostIp) {
    StoreAddress(hostIp, "SetHostIPAddress", {ImageHostRegisters, CommandHostRegisters});
}

void Vk7x80IpManager::IpManager::SetDetectorIPAddress(const std::string& detectorIp) {
    StoreAddress(detectorIp, "SetDetectorIPAddress", {DetectorRegisters});
}

std::string Vk7x80IpManager::IpManager::GetHostIPAddress() {
    const std::string command = Dotted(CommandHostRegisters);
    LOG_INFO("Host IP address : " << command);
    const std::string image = Dotted(ImageHostRegisters);
    LOG_INFO("Host IP address : " << image);
    return command;
}

std::string Vk7x80IpManager::IpManager::GetDetectorIPAddress() {
    const std::string text = Dotted(DetectorRegisters);
    LOG_INFO("Detector IP address : " << text);
    return text;
}

bool Vk7x80IpManager::IpManager::HasRegisters(const Registers& registers, const char* operation) {
    for (const std::uint16_t id : registers) {
        if (registerIndex.find(id) == registerIndex.end()) {
            LOG_ERROR("Vk7x80IpManager::" << operation << " - register " << Hex(id, 2)
                                          << " missing from RDXP file");
            return false;
        }
    }
    return true;
}

void Vk7x80IpManager::IpManager::StoreAddress(const std::string& text, const char* operation,
                                              std::initializer_list<Registers> groups) {
    dotted_address::Numbers numbers{};
    if (!dotted_address::Parse(text, numbers)) {
        LOG_ERROR("Vk7x80IpManager::" << operation << " - invalid IP address " << text);
        addressRefused = true;
        return;
    }
    for (const Registers& registers : groups) {
        if (!HasRegisters(registers, operation)) {
            addressRefused = true;
            return;
        }
    }
    for (const Registers& registers : groups) {
        Store(registers, numbers);
    }
}

void Vk7x80IpManager::IpManager::Store(const Registers& registers,
                                       const std::array<std::uint8_t, 4>& numbers) {
    for (std::size_t i = 0; i < registers.size(); ++i) {
        rdxpFile->records[registerIndex.at(registers[i])].value = numbers[i];
    }
}

std::string Vk7x80IpManager::IpManager::Dotted(const Registers& registers) const {
    std::array<std::uint8_t, 4> numbers{};
    for (std::size_t i = 0; i < registers.size(); ++i) {
        const auto found = registerIndex.find(registers[i]);
        if (found == registerIndex.end()) {
            throw std::out_of_range("register " + Hex(registers[i], 2) + " missing from RDXP file");
        }
        numbers[i] = rdxpFile->records[found->second].value;
    }
    return dotted_address::Format(numbers[0], numbers[1], numbers[2], numbers[3]);
}
