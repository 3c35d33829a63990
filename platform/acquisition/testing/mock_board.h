#pragma once

#include "platform/acquisition/detector.h"

#include <gmock/gmock.h>

namespace acquisition_testing {

class MockBoard : public mirl::acquisition::Board {
public:
    MOCK_METHOD(void, open, (), (override));
    MOCK_METHOD(void, close, (), (override));
};

} // namespace acquisition_testing
