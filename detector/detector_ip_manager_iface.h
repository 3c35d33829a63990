#pragma once

#include "detector/ip_manager_iface.h"
#include "detector/ssid_manager_iface.h"
#include "detector/wifi_manager_iface.h"
#include "platform/acquisition/config_parser.h"
#include "platform/acquisition/detector.h"

#include <boost/shared_ptr.hpp>

#include <string>

class DetectorParameter;

// What each detector family provides to DetectorIpManager.
class DetectorIpManagerIface {
public:
    virtual ~DetectorIpManagerIface() = default;
    virtual void Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) = 0;
    virtual std::string GetBoardName() = 0;
    virtual std::string GetDetectorName() = 0;
    virtual void FillDetectorParameter(DetectorParameter& parameter) = 0;
    virtual void FillOptions(mirl::acquisition::OptionGroups& options,
                             const std::string& detectorIp, const std::string& peerIp) = 0;
    virtual bool IsConnectedByCable() = 0;
    virtual boost::shared_ptr<IpManagerIface> GetIpManager() = 0;
    virtual boost::shared_ptr<SSIDManagerIface> GetSSIDManager() = 0;
    virtual boost::shared_ptr<WifiManagerIface> GetWifiManager() = 0;
};
