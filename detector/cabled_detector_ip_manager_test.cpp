#include "detector/6080k/vk6080k_ip_manager.h"
#include "detector/7x80/vk7x80_ip_manager.h"
#include "detector/cabled_detector_ip_manager.h"
#include "detector/testing/family_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using detector_testing::DetectorWith;
using detector_testing::ExpectInitFails;

// The cabled families that keep their addresses in a detector file, with the
// name their log lines give.
template <typename Family> struct FileFamily;
template <> struct FileFamily<Vk6080KIpManager> {
    static constexpr const char* Name = "Vk6080KIpManager";
};
template <> struct FileFamily<Vk7x80IpManager> {
    static constexpr const char* Name = "Vk7x80IpManager";
};

template <typename Family> class FileFamilyInitTest : public ::testing::Test {};
using FileFamilies = ::testing::Types<Vk6080KIpManager, Vk7x80IpManager>;
TYPED_TEST_SUITE(FileFamilyInitTest, FileFamilies);

TYPED_TEST(FileFamilyInitTest, WithoutFileExtensionLogsAndThrows) {
    TypeParam family;
    ExpectInitFails(family, DetectorWith({}),
                    std::string(FileFamily<TypeParam>::Name) +
                        "::Init - impossible to retrieve detector's file extension");
}

TYPED_TEST(FileFamilyInitTest, WithFileExtensionOfWrongTypeThrowsBadCast) {
    TypeParam family;
    auto detector = DetectorWith({});
    detector->extensions["file"] = std::string("not an extension");
    EXPECT_THROW(family.Init(detector), boost::bad_any_cast);
}

} // namespace
