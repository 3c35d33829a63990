#include "detector/detector_parameter.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectorParameterTest, FillNotUsedNamesItAndAddsOneZeroModeUnderKeyOne) {
    DetectorParameter parameter;
    parameter.FillNotUsed();
    EXPECT_EQ(parameter.getName(), "NotUsed");

    const DetectorParameter::Modes modes = parameter.getModes();
    ASSERT_EQ(modes.size(), 1u);
    ASSERT_EQ(modes.begin()->first, 1);
    const mirl::acquisition::DetectorConfigModeIface& mode = modes.begin()->second.get();
    EXPECT_EQ(&mode, &parameter.modes.at(1));
    EXPECT_EQ(mode.getValue1(), 0);
    EXPECT_EQ(mode.getValue2(), 0u);
    EXPECT_EQ(mode.getValue3(), 0);
    EXPECT_EQ(mode.getValue4(), 0);
    EXPECT_EQ(mode.getPair5(), mirl::acquisition::DetectorConfigModeIface::Pair(0, 0));
    EXPECT_EQ(mode.getValue6(), 0.0f);
    EXPECT_EQ(mode.getValue7(), 0.0f);
    EXPECT_EQ(mode.getValue8(), 0);
    EXPECT_EQ(mode.getValue9(), 0.0f);
    EXPECT_EQ(mode.getPair10(), mirl::acquisition::DetectorConfigModeIface::Pair(0, 0));
    EXPECT_EQ(mode.getValue11(), 0u);
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
