#pragma once

#include <string>

class IpManagerIface {
public:
    virtual ~IpManagerIface() = default;
    virtual void ReadConfig() = 0;
    virtual bool WriteConfig() = 0;
    virtual void SetHostIPAddress(const std::string& hostIp) = 0;
    virtual void SetDetectorIPAddress(const std::string& detectorIp) = 0;
    virtual std::string GetHostIPAddress() = 0;
    virtual std::string GetDetectorIPAddress() = 0;
};
