#include "bench/tool/report.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velkor {
namespace bench {
namespace {

Report EveryKind() {
    Report report;
    report.text("answers at", "answers_at", "10.0.0.1");
    report.number("image port", "image_port", 6001);
    report.number("file checksum", "file_checksum", 236, "0xEC (right)");
    report.flag("pending reboot", "pending_reboot", true);
    report.flag("wifi switch", "wifi_switch", false, "on", "off");
    report.list("faults", "faults", {"offline", "refuse-write"});
    report.list("modules", "modules", {});
    report.null("infrared module", "infrared_module", "-");
    return report;
}

std::string Printed(const Report& report, bool json) {
    std::ostringstream out;
    report.print(out, json);
    return out.str();
}

TEST(ReportTest, TextIsOneLabelledLineAField) {
    EXPECT_EQ("answers at: 10.0.0.1\n"
              "image port: 6001\n"
              "file checksum: 0xEC (right)\n"
              "pending reboot: yes\n"
              "wifi switch: off\n"
              "faults: offline, refuse-write\n"
              "modules: none\n"
              "infrared module: -\n",
              Printed(EveryKind(), false));
}

TEST(ReportTest, JsonKeepsTheTypes) {
    EXPECT_EQ("{\"answers_at\":\"10.0.0.1\",\"image_port\":6001,\"file_checksum\":236,"
              "\"pending_reboot\":true,\"wifi_switch\":false,"
              "\"faults\":[\"offline\",\"refuse-write\"],\"modules\":[],"
              "\"infrared_module\":null}\n",
              Printed(EveryKind(), true));
}

TEST(ReportTest, AnEmptyReportPrintsNothingOrAnEmptyObject) {
    EXPECT_EQ("", Printed(Report(), false));
    EXPECT_EQ("{}\n", Printed(Report(), true));
}

// As the bench wrote it before its JSON was written by nlohmann-json: control
// characters, DEL and C1 controls as \u escapes, texts that are not UTF-8 in
// their printable form.
TEST(ReportTest, JsonWritesEveryTextAsItAlwaysDid) {
    const std::string every = "a\x01\b\f\r\n\t\"\\/\x7F\xC2\x80\xC2\x9F\xC2\xA0\xC3\xA9z";
    Report report;
    report.text("detector", "id", every);
    report.text("raw", "raw",
                "\xFF\xFE"
                "ward\x1B");
    report.number("n", "n", -1);
    report.number("big", "big", 4294967296LL);
    report.flag("f", "f", false);
    report.list("faults", "faults", {every, "\xE9", ""});
    report.list("none", "none", {});
    report.null("m", "m", "-");
    EXPECT_EQ(
        "{\"id\":\"a\\u0001\\u0008\\u000c\\u000d\\n\\t\\\"\\\\/\\u007f\\u0080\\u009f\xC2\xA0"
        "\xC3\xA9z\",\"raw\":\"\\\\xFF\\\\xFEward\\\\x1B\",\"n\":-1,\"big\":4294967296,\"f\":fa"
        "lse,\"faults\":[\"a\\u0001\\u0008\\u000c\\u000d\\n\\t\\\"\\\\/\\u007f\\u0080\\u009f"
        "\xC2\xA0\xC3\xA9z\",\"\\\\xE9\",\"\"],\"none\":[],\"m\":null}\n",
        Printed(report, true));
}

} // namespace
} // namespace bench
} // namespace velkor
