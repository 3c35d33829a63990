#pragma once

#include "config/user_config_file_infos.h"
#include "detector/wifi_manager_iface.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

// Wi-Fi switch shared by the nQ2 and 6080MV managers: it lives in the
// detector's user configuration document.
class NetworkWifiManager : public WifiManagerIface {
public:
    NetworkWifiManager(const boost::shared_ptr<mirl::acquisition::ConnectionIface>& connection,
                       const boost::shared_ptr<mirl::acquisition::FileIface>& file);
    ~NetworkWifiManager() override = default;

    bool ReadConfig() override;
    bool WriteConfig(bool connectedByCable) override;
    void SetWifiEnable(bool enable) override { wifiEnable = enable; }
    bool GetWifiEnable() override { return wifiEnable; }

private:
    boost::shared_ptr<mirl::acquisition::ConnectionIface> connectionExtension;
    boost::shared_ptr<mirl::acquisition::FileIface> fileExtension;
    UserConfigFileInfos userConfig;
    bool wifiEnable = false;
};
