#pragma once

#include "detector/ip_manager_iface.h"
#include "detector/ssid_manager_iface.h"
#include "detector/wifi_manager_iface.h"
#include "platform/acquisition/config_parser.h"
#include "platform/acquisition/detector.h"

#include <boost/shared_ptr.hpp>

#include <string>

class DetectorParameter;

// What each detector family provides to DetectorIpManager. A family is created
// empty; Init binds it to an opened detector.
class DetectorIpManagerIface {
public:
    virtual ~DetectorIpManagerIface() = default;

    // Fetches the detector extensions the family needs and builds its
    // managers. A missing extension is logged and thrown as a plain
    // std::exception, an extension of the wrong type as boost::bad_any_cast;
    // either way no manager is built.
    virtual void Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) = 0;

    // The fixed names the library knows the family's board and detector by.
    virtual std::string GetBoardName() = 0;
    virtual std::string GetDetectorName() = 0;

    // Describes the detector for the library's detector scan.
    virtual void FillDetectorParameter(DetectorParameter& parameter) = 0;

    // Appends the option group that tells the library how to reach the
    // detector; the same list goes to the board and to the detector.
    // detectorIp is the detector's current address, peerIp its peer's without
    // a prefix length; a family may leave peerIp unused.
    virtual void FillOptions(mirl::acquisition::OptionGroups& options,
                             const std::string& detectorIp, const std::string& peerIp) = 0;

    // True when the detector is reached over a cable, false over its Wi-Fi.
    // Before Init, a family that can be reached over its Wi-Fi logs an error
    // and answers false.
    virtual bool IsConnectedByCable() = 0;

    // Empty before Init, never empty after.
    virtual boost::shared_ptr<IpManagerIface> GetIpManager() = 0;

    // Empty before Init, and always for a family whose SSID or Wi-Fi switch
    // the program cannot change.
    virtual boost::shared_ptr<SSIDManagerIface> GetSSIDManager() = 0;
    virtual boost::shared_ptr<WifiManagerIface> GetWifiManager() = 0;
};
