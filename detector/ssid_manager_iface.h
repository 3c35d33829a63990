#pragma once

#include <string>

class SSIDManagerIface {
public:
    // An SSID or password not read or set yet.
    static constexpr const char* NotSet = "unknown";

    virtual ~SSIDManagerIface() = default;
    virtual void ReadConfig() = 0;
    virtual bool WriteConfig() = 0;
    virtual void SetSSID(const std::string& ssid) = 0;
    virtual void SetPasswd(const std::string& passwd) = 0;
    virtual std::string GetSSID() = 0;
};
