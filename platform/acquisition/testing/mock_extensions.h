#pragma once

#include "platform/acquisition/extensions.h"

// GMock prints the arguments of an unexpected call, setHostName's optional
// domain among them.
#include <boost/optional/optional_io.hpp>

#include <gmock/gmock.h>

#include <cstdint>
#include <string>

// GenericXmlFileInfos stays incomplete here, as the interface leaves it: a
// test that reaches into the document includes its header itself.
namespace acquisition_testing {

class MockFileIface : public mirl::acquisition::FileIface {
public:
    MOCK_METHOD(void, readFile, (std::int32_t, mirl::acquisition::Bytes&), (override));
    MOCK_METHOD(void, writeFile, (std::int32_t, const mirl::acquisition::Bytes&), (override));
    MOCK_METHOD(void, loadUserConfig, (GenericXmlFileInfos&), (override));
    MOCK_METHOD(void, saveUserConfig, (GenericXmlFileInfos&), (override));
    MOCK_METHOD(void, applyUserConfig, (bool), (override));
};

class MockConnectionIface : public mirl::acquisition::ConnectionIface {
public:
    MOCK_METHOD(void, setHostName, (const std::string&, const boost::optional<std::string>&),
                (override));
    MOCK_METHOD(void, applyNetworkConfig, (), (override));
};

class MockNetworkConfigIface : public mirl::acquisition::NetworkConfigIface {
public:
    MOCK_METHOD(void, readDetectorAddress, (std::string&, std::uint16_t&), (override));
    MOCK_METHOD(void, readHostAddress, (std::string&, std::uint16_t&, std::uint16_t&), (override));
    MOCK_METHOD(bool, writeAddresses,
                (const std::string&, const std::uint16_t&, const std::string&, const std::uint16_t&,
                 const std::uint16_t&),
                (override));
    MOCK_METHOD(void, writeSsidAndPassword, (const std::string&, const std::string&), (override));
};

class MockWifiIface : public mirl::acquisition::WifiIface {
public:
    MOCK_METHOD(std::string, getLinkText, (), (override));
    MOCK_METHOD(std::string, getSsid, (), (override));
};

} // namespace acquisition_testing
