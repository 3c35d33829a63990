#pragma once

#include "platform/module/module.h"

#include <gmock/gmock.h>

#include <string>

namespace module_testing {

class MockSerialIR : public mirl::module::SerialIRIface {
public:
    MOCK_METHOD(bool, probe, (int timeoutMs), (override));
    MOCK_METHOD(std::string, readDetectorIpAddress, (), (override));
    MOCK_METHOD(std::string, readHostIpAddress, (), (override));
    MOCK_METHOD(void, writeIpAddresses, (const std::string& detector, const std::string& host),
                (override));
    MOCK_METHOD(std::string, readSsid, (), (override));
    MOCK_METHOD(void, writeSsidAndPassword, (const std::string& ssid, const std::string& password),
                (override));
};

} // namespace module_testing
