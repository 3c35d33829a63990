#pragma once

#include "platform/acquisition/detector.h"

#include <gmock/gmock.h>

namespace acquisition_testing {

// Tests fill the public `extensions` map with the extension mocks they need.
class MockDetector : public mirl::acquisition::Detector {
public:
    MOCK_METHOD(boost::shared_ptr<mirl::acquisition::WifiIface>, getWifi, (), (override));
    MOCK_METHOD(void, open, (bool), (override));
    MOCK_METHOD(void, close, (), (override));
    MOCK_METHOD(void, setMessageCallback, (const mirl::acquisition::MessageCallback&), (override));
};

} // namespace acquisition_testing
