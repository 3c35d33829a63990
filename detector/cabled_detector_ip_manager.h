#pragma once

#include "detector/detector_ip_manager_iface.h"

#include <boost/shared_ptr.hpp>

// The answers shared by the families reached only over a cable, whose SSID and
// Wi-Fi switch the program cannot change (6080K, 7180/7380, 7380TW).
class CabledDetectorIpManager : public DetectorIpManagerIface {
public:
    bool IsConnectedByCable() override { return true; }
    boost::shared_ptr<SSIDManagerIface> GetSSIDManager() override {
        return boost::shared_ptr<SSIDManagerIface>();
    }
    boost::shared_ptr<WifiManagerIface> GetWifiManager() override {
        return boost::shared_ptr<WifiManagerIface>();
    }
};
