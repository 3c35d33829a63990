#pragma once

class WifiManagerIface {
public:
    virtual ~WifiManagerIface() = default;
    virtual bool ReadConfig() = 0;
    virtual bool WriteConfig(bool connectedByCable) = 0;
    virtual void SetWifiEnable(bool enable) = 0;
    virtual bool GetWifiEnable() = 0;
};
