#include "app/detector_type.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectorTypeTest, MapsTheSevenModelsAndNothingElse) {
    struct Case {
        const char* text;
        DetectorType type;
    };
    const Case cases[] = {
        {"6080K", Vk6080K},
        {"6080QL", VknQ2},
        {"4050QL", VknQ2},
        {"7180", Vk7x80},
        {"7380", Vk7x80},
        {"7380TW", Vk7380TW},
        {"6080MV", Vk6080MV},
        {"", InvalidDetectorType},
        {"9999", InvalidDetectorType},
        {"6080k", InvalidDetectorType},
        {"6080ql", InvalidDetectorType},
        {"7380tw", InvalidDetectorType},
        {" 7380", InvalidDetectorType},
        {"7380 ", InvalidDetectorType},
        {"7380T", InvalidDetectorType},
        {"Vk7x80", InvalidDetectorType},
        {"2", InvalidDetectorType},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectorTypeFromName(c.text), c.type) << '"' << c.text << '"';
    }
}

} // namespace
