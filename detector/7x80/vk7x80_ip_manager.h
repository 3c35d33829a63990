#pragma once

#include "detector/7x80/rdxp_file.h"
#include "detector/cabled_detector_ip_manager.h"
#include "detector/ip_manager_iface.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

// 7180 and 7380: the detector and host addresses live in registers of the
// RDXP file 206. No SSID, no Wi-Fi switch, always on a cable.
class Vk7x80IpManager : public CabledDetectorIpManager {
public:
    static constexpr const char* BoardName = "AcqRDXPv1";
    static constexpr const char* DetectorName = "Vk7180c";
    static constexpr std::int32_t RDXPFileNumber = 206;
    static constexpr unsigned DetectorPort = 10001;

    class IpManager : public IpManagerIface {
    public:
        using Registers = std::array<std::uint16_t, 4>;
        // First number of the dotted address in the first register.
        static constexpr Registers DetectorRegisters{{0x43, 0x42, 0x41, 0x40}};
        static constexpr Registers CommandHostRegisters{{0x2F, 0x2E, 0x2D, 0x2C}};
        static constexpr Registers ImageHostRegisters{{0x23, 0x22, 0x21, 0x20}};

        explicit IpManager(const boost::shared_ptr<mirl::acquisition::FileIface>& file);
        ~IpManager() override = default;

        // Fails, leaving the file in memory as it was, when the checksum is wrong.
        void ReadConfig() override;
        bool WriteConfig() override;
        void SetHostIPAddress(const std::string& hostIp) override;
        void SetDetectorIPAddress(const std::string& detectorIp) override;
        std::string GetHostIPAddress() override;
        std::string GetDetectorIPAddress() override;

        // The file as last read and changed; empty before the first ReadConfig.
        boost::shared_ptr<mirl::acquisition::vk7x80::RDXPFile> GetRDXPFile() const {
            return rdxpFile;
        }

    private:
        // Puts the numbers of `text` in every group of registers. Refuses the
        // address, logged under `operation` and with nothing changed, when it
        // is not a dotted address or the file lacks one of the registers.
        void StoreAddress(const std::string& text, const char* operation,
                          std::initializer_list<Registers> groups);
        bool HasRegisters(const Registers& registers, const char* operation);
        void Store(const Registers& registers, const std::array<std::uint8_t, 4>& numbers);
        std::string Dotted(const Registers& registers) const;

        boost::shared_ptr<mirl::acquisition::vk7x80::RDXPFile> rdxpFile;
        std::map<std::uint16_t, std::uint16_t> registerIndex;
        boost::shared_ptr<mirl::acquisition::FileIface> fileExtension;
        bool addressRefused = false;
    };

    ~Vk7x80IpManager() override = default;

    void Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) override;
    std::string GetBoardName() override { return BoardName; }
    std::string GetDetectorName() override { return DetectorName; }
    void FillDetectorParameter(DetectorParameter& parameter) override;
    void FillOptions(mirl::acquisition::OptionGroups& options, const std::string& detectorIp,
                     const std::string& peerIp) override;
    boost::shared_ptr<IpManagerIface> GetIpManager() override { return ipManager; }

private:
    boost::shared_ptr<IpManager> ipManager;
};
