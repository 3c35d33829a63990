#include "detector/6080k/vk6080k_ip_manager.h"

#include "detector/detector_parameter.h"
#include "detector/dotted_address.h"
#include "detector/extension_lookup.h"
#include "detector/hardware_options.h"
#include "platform/tools/logger.h"

#include <boost/make_shared.hpp>

#include <stdexcept>

using mirl::acquisition::Bytes;
using mirl::acquisition::vk6080K::InterfaceFile;

void Vk6080KIpManager::Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) {
    const auto file = extension_lookup::File(*detector, "Vk6080KIpManager");
    ipManager = boost::make_shared<IpManager>(file);
}

void Vk6080KIpManager::FillDetectorParameter(DetectorParameter& parameter) {
    parameter.FillNotUsed();
}

void Vk6080KIpManager::FillOptions(mirl::acquisition::OptionGroups& options,
                                   const std::string& detectorIp, const std::string& /*peerIp*/) {
    HardwareOptions()
        .Add("detector.path", detectorIp + ":" + std::to_string(DetectorPort))
        .AppendTo(options);
}

Vk6080KIpManager::IpManager::IpManager(const boost::shared_ptr<mirl::acquisition::FileIface>& file)
    : fileExtension(file) {}

void Vk6080KIpManager::IpManager::ReadConfig() {
    Bytes bytes;
    fileExtension->readFile(InterfaceFileNumber, bytes);
    if (bytes.empty()) {
        throw std::out_of_range("interface file 68 is empty");
    }
    // Kept only once decoded: a failed first read must leave WriteConfig
    // nothing to write, a failed later one the file read before.
    const auto decoded = boost::make_shared<InterfaceFile>();
    try {
        decoded->Decode(bytes);
    } catch (const mirl::tools::archive_exception& e) {
        LOG_ERROR("Vk6080KIpManager::_ReadRDXPFile - Unable to decode InterfaceFile structure : "
                  << e.what());
        throw;
    }
    interfaceFile = decoded;
    addressRefused = false;
}

bool Vk6080KIpManager::IpManager::WriteConfig() {
    if (!interfaceFile) {
        LOG_ERROR("Vk6080KIpManager::IpManager::WriteConfig - no interface file has been read, "
                  "nothing written");
        return false;
    }
    if (addressRefused) {
        LOG_ERROR("Vk6080KIpManager::IpManager::WriteConfig - an invalid address was given, "
                  "nothing written");
        return false;
    }
    Bytes bytes;
    try {
        bytes = interfaceFile->Encode();
    } catch (const mirl::tools::archive_exception& e) {
        LOG_ERROR("Vk6080KIpManager::_WriteInterfaceFile - Unable to encode InterfaceFile "
                  "structure : "
                  << e.what());
        throw;
    }
    fileExtension->writeFile(InterfaceFileNumber, bytes);
    return true;
}

void Vk6080KIpManager::IpManager::SetHostIPAddress(const std::string& /*hostIp*/) {
    // A 6080K does not store its host's address.
}

void Vk6080KIpManager::IpManager::SetDetectorIPAddress(const std::string& detectorIp) {
    if (!interfaceFile) {
        LOG_ERROR("Vk6080KIpManager::SetDetectorIPAddress - no interface file has been read");
        addressRefused = true;
        return;
    }
    dotted_address::Numbers numbers{};
    if (!dotted_address::Parse(detectorIp, numbers)) {
        LOG_ERROR("Vk6080KIpManager::SetDetectorIPAddress - invalid IP address " << detectorIp);
        addressRefused = true;
        return;
    }
    interfaceFile->address = numbers;
}

std::string Vk6080KIpManager::IpManager::GetHostIPAddress() {
    return NoHostAddress;
}

std::string Vk6080KIpManager::IpManager::GetDetectorIPAddress() {
    if (!interfaceFile) {
        throw std::logic_error("Vk6080KIpManager::IpManager - no interface file has been read");
    }
    const auto& a = interfaceFile->address;
    const std::string text = dotted_address::Format(a[0], a[1], a[2], a[3]);
    LOG_INFO("Detector IP address : " << text);
    return text;
}
