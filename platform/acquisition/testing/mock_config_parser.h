#pragma once

#include "platform/acquisition/config_parser.h"

#include <gmock/gmock.h>

namespace acquisition_testing {

// Also the module library's parser: it is the same interface.
class MockConfigParser : public mirl::acquisition::ConfigParser {
public:
    MOCK_METHOD(void, applyOptions, (const mirl::acquisition::OptionGroups&, bool), (override));
};

} // namespace acquisition_testing
