#include "detector/detector_parameter.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectorParameterTest, FillNotUsedNamesItAndAddsOneModeUnderKeyOne) {
    DetectorParameter parameter;
    parameter.FillNotUsed();
    EXPECT_EQ(parameter.getName(), "NotUsed");

    const DetectorParameter::Modes modes = parameter.getModes();
    ASSERT_EQ(modes.size(), 1u);
    ASSERT_EQ(modes.begin()->first, 1);
    EXPECT_EQ(&modes.begin()->second.get(), &parameter.modes.at(1));
    EXPECT_TRUE(parameter.texts.empty());
    EXPECT_TRUE(parameter.labels.empty());
}

TEST(DetectorParameterTest, TextOfAValueIsTheFirstEntryHoldingIt) {
    DetectorParameter parameter;
    parameter.texts["alpha"] = {1, 2};
    parameter.texts["beta"] = {2, 3};
    EXPECT_EQ(parameter.getTextOf(2), "alpha");
    EXPECT_EQ(parameter.getTextOf(3), "beta");
    EXPECT_EQ(parameter.getTextOf(9), "");
}

} // namespace
