#include "bench/device/new_detector.h"
#include "bench/tool/bench_listing.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velkor {
namespace bench {
namespace {

std::string Listed(const std::string& bench, const std::vector<DetectorEntry>& entries,
                   const std::vector<ModulePlug>& modules) {
    std::ostringstream out;
    PrintListing(out, bench, entries, modules, true);
    return out.str();
}

// As the bench wrote it before its JSON was written by nlohmann-json: texts
// as they are stored, control characters, DEL and C1 controls as \u escapes,
// texts that are not UTF-8 in their printable form, a module facing nobody as
// null.
TEST(BenchListingTest, JsonWritesEveryTextAsItAlwaysDid) {
    const std::string every = "a\x01\b\f\r\n\t\"\\/\x7F\xC2\x80\xC2\x9F\xC2\xA0\xC3\xA9z";
    DetectorState state = NewDetector(*BenchModel::Find("6080QL"), "Q\x1B[5m", "192.168.1.20",
                                      std::string("192.168.1.1/24"), Link::Wifi, "VK-6080QL")
                              .state;
    state.address = "192.168.1.20\xFE";
    state.faults = {Fault::Offline, Fault::MissingSerialIr};
    state.pendingApply = true;
    const std::vector<DetectorEntry> entries = {
        {state.id, state, ""},
        {"7380\x7F", boost::none, "malformed detector.json: unknown model \"\\x1B[31m9999\""},
        {"7180\xC1", boost::none, every}};
    const std::vector<ModulePlug> modules = {{"COM3", "Q\x1B[5m"},
                                             {"COM\xC2\x9B"
                                              "5",
                                              ""},
                                             {"COM\xE9", "7180\xC1"}};
    EXPECT_EQ(
        "{\"bench\":\"/tmp/bench\\u001b\",\"detectors\":[{\"id\":\"Q\\u001b[5m\",\"model\":\"60"
        "80QL\",\"answers_at\":\"192.168.1.20\\\\xFE\",\"link\":\"wifi\",\"pending_reboot\":fal"
        "se,\"pending_apply\":true,\"faults\":[\"missing:serial_ir\",\"offline\"]}],\"damaged\""
        ":[{\"id\":\"7380\\u007f\",\"reason\":\"malformed detector.json: unknown model \\\"\\\\"
        "x1B[31m9999\\\"\"},{\"id\":\"7180\\\\xC1\",\"reason\":\"a\\u0001\\u0008\\u000c\\u000d"
        "\\n\\t\\\"\\\\/\\u007f\\u0080\\u009f\xC2\xA0\xC3\xA9z\"}],\"modules\":[{\"port\":\"COM"
        "3\",\"faces\":\"Q\\u001b[5m\"},{\"port\":\"COM\\u009b5\",\"faces\":null},{\"port\":\"C"
        "OM\\\\xE9\",\"faces\":\"7180\\\\xC1\"}]}\n",
        Listed("/tmp/bench\x1B", entries, modules));
    EXPECT_EQ(R"({"bench":"/b","detectors":[],"damaged":[],"modules":[]})"
              "\n",
              Listed("/b", {}, {}));
}

} // namespace
} // namespace bench
} // namespace velkor
