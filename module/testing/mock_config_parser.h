#pragma once

#include "platform/acquisition/config_parser.h"

#include <gmock/gmock.h>

namespace module_testing {

class MockConfigParser : public mirl::acquisition::ConfigParser {
public:
    MOCK_METHOD(void, applyOptions, (const mirl::acquisition::OptionGroups& groups, bool flag),
                (override));
};

} // namespace module_testing
