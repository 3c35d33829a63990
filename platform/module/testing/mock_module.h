#pragma once

#include "platform/module/module.h"

#include <gmock/gmock.h>

namespace module_testing {

class MockModule : public mirl::module::Module {
public:
    MOCK_METHOD(void, setMessageCallback, (const mirl::module::MessageCallback& callback),
                (override));
    MOCK_METHOD(void, open, (), (override));
    MOCK_METHOD(void, close, (), (override));
};

} // namespace module_testing
