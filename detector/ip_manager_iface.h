#pragma once

#include <string>

class IpManagerIface {
public:
    // An address not read or set yet, spelt as it has always been reported.
    static constexpr const char* NotSet = "unkown";

    virtual ~IpManagerIface() = default;
    virtual void ReadConfig() = 0;
    virtual bool WriteConfig() = 0;
    virtual void SetHostIPAddress(const std::string& hostIp) = 0;
    virtual void SetDetectorIPAddress(const std::string& detectorIp) = 0;
    virtual std::string GetHostIPAddress() = 0;
    virtual std::string GetDetectorIPAddress() = 0;
};
