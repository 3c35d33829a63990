#pragma once

// The detector's Wi-Fi switch. Nothing reaches the detector before WriteConfig.
class WifiManagerIface {
public:
    virtual ~WifiManagerIface() = default;

    // Reads the switch and returns it: true when the Wi-Fi is on, false also
    // when the detector stores no switch. Throws when it cannot be read.
    virtual bool ReadConfig() = 0;

    // Writes the switch as last read or set and has the detector apply it,
    // telling it whether it is reached over a cable right now
    // (connectedByCable, as IsConnectedByCable answers). True once written.
    // Throws on a failure.
    virtual bool WriteConfig(bool connectedByCable) = 0;

    // Keep a state for the next WriteConfig.
    virtual void SetWifiEnable(bool enable) = 0;

    // The state as last read or set; false before ReadConfig.
    virtual bool GetWifiEnable() = 0;
};
