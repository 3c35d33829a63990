#pragma once

#include "platform/acquisition/config_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace detector_testing {

using OptionPairs = std::vector<std::pair<std::string, std::string>>;

// The board and detector names a family gives, and the single "hardware" group it fills
// for the two addresses: option names and values, in their order, all with id 0 and no flag.
template <typename Family>
void ExpectNamesAndOptions(Family& family, const std::string& board, const std::string& detector,
                           const std::string& address, const std::string& peer,
                           const OptionPairs& expected) {
    EXPECT_EQ(family.GetBoardName(), board);
    EXPECT_EQ(family.GetDetectorName(), detector);
    mirl::acquisition::OptionGroups groups;
    family.FillOptions(groups, address, peer);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].name, "hardware");
    EXPECT_EQ(groups[0].id, 0);
    OptionPairs options;
    for (const auto& option : groups[0].options) {
        options.emplace_back(option.name, option.value);
        EXPECT_EQ(option.id, 0) << option.name;
        EXPECT_FALSE(option.flag) << option.name;
    }
    EXPECT_EQ(options, expected);
}

} // namespace detector_testing
