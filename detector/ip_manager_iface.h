#pragma once

#include <string>

// The detector's address and its peer's (host's) address, as one family keeps
// them. Nothing reaches the detector before WriteConfig.
class IpManagerIface {
public:
    // An address not read or set yet, spelt as it has always been reported.
    static constexpr const char* NotSet = "unkown";

    virtual ~IpManagerIface() = default;

    // Reads the detector's current addresses. Throws when they cannot be read.
    virtual void ReadConfig() = 0;

    // Writes the addresses as last read or set. True once the detector has
    // stored them. False when it has not: the library refused them, a setter
    // refused an address, or a family that rewrites a detector file has not
    // read it yet; nothing is written in the last two cases. A failure of the
    // library is reported as false or thrown, depending on the family; callers
    // handle both.
    virtual bool WriteConfig() = 0;

    // Keep an address for the next WriteConfig; the caller has checked it. A
    // family that cannot store the text logs it, and WriteConfig then writes
    // nothing and returns false until the next ReadConfig. A family whose
    // detector keeps no host address ignores SetHostIPAddress.
    virtual void SetHostIPAddress(const std::string& hostIp) = 0;
    virtual void SetDetectorIPAddress(const std::string& detectorIp) = 0;

    // The address as last read or set. Before ReadConfig: NotSet from a family
    // that keeps address texts; a family that keeps them in a detector file
    // has nothing to answer from and throws. A family whose detector keeps no
    // host address answers a placeholder of its own.
    virtual std::string GetHostIPAddress() = 0;
    virtual std::string GetDetectorIPAddress() = 0;
};
