#pragma once

#include "detector/6080k/interface_file.h"
#include "detector/cabled_detector_ip_manager.h"
#include "detector/ip_manager_iface.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

// 6080K: the detector keeps its own address in interface file 68. Neither the
// host address, the SSID nor the Wi-Fi can be changed, and the link is a cable.
class Vk6080KIpManager : public CabledDetectorIpManager {
public:
    static constexpr const char* BoardName = "AcqEth";
    static constexpr const char* DetectorName = "Vk6080K";
    static constexpr std::int32_t InterfaceFileNumber = 68;
    static constexpr unsigned DetectorPort = 40000;
    // What GetHostIPAddress gives: a 6080K keeps no host address.
    static constexpr const char* NoHostAddress = "--.--.--.--";

    class IpManager : public IpManagerIface {
    public:
        explicit IpManager(const boost::shared_ptr<mirl::acquisition::FileIface>& file);
        ~IpManager() override = default;

        void ReadConfig() override;
        bool WriteConfig() override;
        void SetHostIPAddress(const std::string& hostIp) override;
        void SetDetectorIPAddress(const std::string& detectorIp) override;
        std::string GetHostIPAddress() override;
        std::string GetDetectorIPAddress() override;

    private:
        boost::shared_ptr<mirl::acquisition::vk6080K::InterfaceFile> interfaceFile;
        boost::shared_ptr<mirl::acquisition::FileIface> fileExtension;
        bool addressRefused = false;
    };

    ~Vk6080KIpManager() override = default;

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
