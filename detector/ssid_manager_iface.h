#pragma once

#include <string>

// The detector's Wi-Fi SSID and password, as one family keeps them. Nothing
// reaches the detector before WriteConfig.
class SSIDManagerIface {
public:
    // An SSID or password not read or set yet. A value equal to it counts as
    // not set and is never written.
    static constexpr const char* NotSet = "unknown";

    virtual ~SSIDManagerIface() = default;

    // Reads the detector's current SSID. The password is never read back and
    // keeps its value. Throws when the SSID cannot be read.
    virtual void ReadConfig() = 0;

    // Writes the SSID and password as last set. True once written. False when
    // nothing was written: either is still NotSet, or the family writes only a
    // changed SSID and this one is the detector's already. A failure is logged
    // and reported as false or thrown, depending on the family; callers handle
    // both.
    virtual bool WriteConfig() = 0;

    // Keep a value for the next WriteConfig.
    virtual void SetSSID(const std::string& ssid) = 0;
    virtual void SetPasswd(const std::string& passwd) = 0;

    // The SSID as last read or set; NotSet before ReadConfig.
    virtual std::string GetSSID() = 0;
};
