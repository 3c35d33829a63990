#include "bench/device/detector_record.h"
#include "bench/device/new_detector.h"
#include "bench/store/record_json.h"
#include "bench/store/stored_json.h"
#include "bench/text/bench_error.h"

#include <boost/optional/optional_io.hpp>

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

DetectorRecord Factory(const char* model, const char* address) {
    return NewDetector(*BenchModel::Find(model), model, address, boost::none, boost::none,
                       std::string("VK-") + model);
}

void ExpectSame(const DetectorRecord& a, const DetectorRecord& b) {
    EXPECT_EQ(record_json::ToJson(a), record_json::ToJson(b));
    EXPECT_EQ(a.state.ssid, b.state.ssid);
    EXPECT_EQ(a.state.hostName, b.state.hostName);
    EXPECT_EQ(a.file, b.file);
    EXPECT_EQ(a.userConfig, b.userConfig);
    EXPECT_EQ(a.password, b.password);
}

TEST(DetectorRecordTest, EveryModelComesBackAsItWasStored) {
    for (const BenchModel& model : BenchModel::All()) {
        SCOPED_TRACE(model.name);
        DetectorRecord record = Factory(model.name.c_str(), "10.0.0.20");
        record.state.faults = {Fault::Offline, Fault::FailWrite};
        record.state.applyNetworkConfigCalls = 4;
        record.state.lastUserConfigOverCable = false;
        record.state.hostName = "WORKSTATION-4";
        if (model.hasWifi) {
            record.password = "s3cret-pass";
        }
        ExpectSame(record, record_json::FromJson(record_json::ToJson(record)));
        EXPECT_EQ(model.name, record_json::FromJson(record_json::ToJson(record)).state.model->name);
    }
}

// Whatever bytes a program stored come back exactly, and the stored text stays
// a JSON document its own reader takes.
TEST(DetectorRecordTest, SsidsAndHostNamesKeepEveryByte) {
    const std::string texts[] = {
        "\x1B[31mRED", "line\nbreak\r\ttab",  "\xFF\xFE\xFD",       std::string("a\0b", 3),
        "Caf\xC3\xA9", "quote\" back\\slash", "del\x7F c1\xC2\x9B",
    };
    for (const std::string& text : texts) {
        DetectorRecord record = Factory("6080QL", "192.168.1.20");
        record.state.ssid = text;
        record.state.hostName = text;
        const std::string json = record_json::ToJson(record);
        const DetectorRecord again = record_json::FromJson(json);
        EXPECT_EQ(text, again.state.ssid);
        EXPECT_EQ(text, again.state.hostName);
        EXPECT_NO_THROW(stored_json::Parse(json));
    }
}

// Ids and addresses too: a text that is not UTF-8 is stored as its bytes, in
// hexadecimal, and a plain one stays written as it always was.
TEST(DetectorRecordTest, IdsAndAddressesKeepEveryByte) {
    const DetectorRecord plain = Factory("6080MV", "192.168.3.20");
    const std::string json = record_json::ToJson(plain);
    for (const char* member :
         {"\"id\":\"6080MV\"", "\"address\":\"192.168.3.20\"",
          "\"detector_address\":\"192.168.3.20\"", "\"host_address\":\"192.168.3.1/24\""}) {
        EXPECT_NE(std::string::npos, json.find(member)) << member;
    }
    const std::string texts[] = {"6080MV\xC1\x95", "COM\xE9", "\x1B[2J10.0.0.1",
                                 std::string("a\0b", 3), "Caf\xC3\xA9"};
    for (const std::string& text : texts) {
        DetectorRecord record = plain;
        record.state.id = text;
        record.state.address = text;
        record.state.storedAddress = text + "1";
        record.state.hostAddress = text + "2";
        const DetectorRecord again = record_json::FromJson(record_json::ToJson(record));
        EXPECT_EQ(text, again.state.id);
        EXPECT_EQ(text, again.state.address);
        EXPECT_EQ(text + "1", again.state.storedAddress);
        EXPECT_EQ(text + "2", again.state.hostAddress);
        EXPECT_EQ(record_json::ToJson(record), record_json::ToJson(again));
    }
    DetectorRecord odd = plain;
    odd.state.id = "6080MV\xC1\x95";
    EXPECT_NE(std::string::npos, record_json::ToJson(odd).find("\"id_hex\":\"363038304D56C195\""));
}

TEST(DetectorRecordTest, DamagedRecordsAreRefusedWithTheReason) {
    const std::string good = record_json::ToJson(Factory("7380", "192.168.37.130"));
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(std::string::npos, at) << from;
        return text.replace(at, from.size(), to);
    };
    const struct {
        const char* name;
        std::string text;
        const char* reason;
    } cases[] = {
        {"empty", "", "<unspecified file>(1): expected value"},
        {"cut short", good.substr(0, good.size() / 2), nullptr},
        {"deep", std::string(200000, '['), "nested deeper than 8 levels"},
        {"unknown model", replaced("\"model\":\"7380\"", "\"model\":\"9999\""),
         "unknown model 9999"},
        {"unknown link", replaced("\"link\":\"cable\"", "\"link\":\"serial\""),
         "unknown link serial"},
        {"unknown fault", replaced("\"faults\":[]", "\"faults\":[\"melted\"]"),
         "unknown fault melted"},
        {"file not hexadecimal", replaced("\"bytes_hex\":\"0A", "\"bytes_hex\":\"ZZ"),
         "the bytes of its file are not hexadecimal"},
        {"other file", replaced("\"number\":206", "\"number\":68"),
         "it holds file 68 instead of file 206"},
        {"future format", replaced("\"format\":1", "\"format\":7"), "format 7 is not known"},
        {"no address", replaced("\"address\"", "\"addr\""), nullptr},
    };
    for (const auto& c : cases) {
        try {
            record_json::FromJson(c.text);
            ADD_FAILURE() << c.name << " was taken";
        } catch (const BenchError& error) {
            if (c.reason != nullptr) {
                EXPECT_STREQ(c.reason, error.what()) << c.name;
            }
        }
    }
}

// Every escape the stored files know: control characters (with JSON's short
// forms), quote, backslash, DEL, C1 controls, and UTF-8 beside them.
const std::string EveryEscape = "a\x01\b\f\r\n\t\"\\/\x7F\xC2\x80\xC2\x9F\xC2\xA0\xC3\xA9z";

DetectorRecord Made(const char* model, const char* id, const char* address,
                    const boost::optional<std::string>& host) {
    return NewDetector(*BenchModel::Find(model), id, address, host, boost::none,
                       std::string("VK-") + model);
}

// The bytes the bench wrote before its JSON was written by nlohmann-json: a
// state that has not changed keeps its bytes, and a file of then still reads.
TEST(DetectorRecordTest, StoredBytesStayThoseTheBenchAlwaysWrote) {
    DetectorRecord tw = Made("7380TW", "7380TW", "10.0.0.20", std::string("10.0.0.1/16"));
    DetectorRecord busy = Made("6080QL", "6080QL", "192.168.1.20", std::string("192.168.1.1/24"));
    busy.state.faults = {Fault::Offline, Fault::FailWrite, Fault::MissingWifi, Fault::RefuseWrite};
    busy.state.pendingApply = true;
    busy.state.storedAddress = "192.168.1.30";
    busy.state.applyNetworkConfigCalls = 3;
    busy.state.applyUserConfigCalls = 2;
    busy.state.lastUserConfigOverCable = true;
    busy.state.hostName = "WS-4.clinic.local";
    busy.state.ssid = EveryEscape;
    busy.password = "s3cret-pass";
    DetectorRecord odd = Made("7380", "7380", "192.168.37.130", std::string("192.168.37.131"));
    odd.state.id = "7380\xC1";
    odd.state.address = "192.168.37.130\xFE";
    odd.state.hostName = std::string("\xFF\0x", 3);
    odd.state.pendingReboot = true;
    odd.state.lastUserConfigOverCable = false;
    odd.file.insert(odd.file.end(), {0xCA, 0xFE, 0x00});
    DetectorRecord k = Made("6080K", "6080K-2", "10.0.0.66", boost::none);
    k.state.faults = {Fault::MissingFile};
    k.state.hostName = EveryEscape;
    const struct {
        const char* name;
        DetectorRecord record;
        std::string bytes;
    } cases[] = {
        {"a factory 7380TW", tw,
         R"({"format":1,"id":"7380TW","model":"7380TW","address":"10.0.0.20","link":"cable","fau)"
         R"(lts":[],"pending_reboot":false,"network":{"detector_address":"10.0.0.20","detector_v)"
         R"(alue":165,"host_address":"10.0.0.1/16","command_port":2063,"image_port":6018,"pendin)"
         R"(g_apply":false},"calls":{"apply_network_config":0,"apply_user_config":0},"host_name")"
         R"(:""})"
         "\n"},
        {"a 6080QL with every escape", busy,
         "{\"format\":1,\"id\":\"6080QL\",\"model\":\"6080QL\",\"address\":\"192.168.1.20\",\"li"
         "nk\":\"cable\",\"faults\":[\"fail-write\",\"missing:wifi\",\"offline\",\"refuse-write"
         "\"],\"pending_reboot\":false,\"network\":{\"detector_address\":\"192.168.1.30\",\"dete"
         "ctor_value\":165,\"host_address\":\"192.168.1.1/24\",\"command_port\":2063,\"image_por"
         "t\":6018,\"pending_apply\":true},\"ssid\":\"a\\u0001\\u0008\\u000c\\u000d\\n\\t\\\"\\"
         "\\/\\u007f\\u0080\\u009f\xC2\xA0\xC3\xA9z\",\"calls\":{\"apply_network_config\":3,\"ap"
         "ply_user_config\":2,\"last_user_config_over_cable\":true},\"host_name\":\"WS-4.clinic."
         "local\",\"user_config\":\"<?xml version=\\\"1.0\\\" encoding=\\\"utf-8\\\"?>\\n<ucf>\\"
         "n  <wifi_enable>01</wifi_enable>\\n  <wifi_channel>06</wifi_channel>\\n  <standby_dela"
         "y>1E</standby_delay>\\n</ucf>\\n\",\"password\":\"s3cret-pass\"}\n"},
        {"ids and texts that are not UTF-8", odd,
         R"({"format":1,"id_hex":"37333830C1","model":"7380","address_hex":"3139322E3136382E3337)"
         R"(2E313330FE","link":"cable","faults":[],"pending_reboot":true,"calls":{"apply_network)"
         R"(_config":0,"apply_user_config":0,"last_user_config_over_cable":false},"host_name_hex)"
         R"(":"FF0078","file":{"number":206,"bytes_hex":"0A00990000000000000000000000000047454E3)"
         R"(32E44434620202020202020202020202020313533202030372F30392F323031302020202031353A31313)"
         R"(A34301200000000000000000000000000000040008200410025004200A8004300C000340011003500270)"
         R"(02C0083002D0025002E00A8002F00C0003000FE003100070020008300210025002200A8002300C000240)"
         R"(0710025001700ECCAFE00"}})"
         "\n"},
        {"a 6080K", k,
         "{\"format\":1,\"id\":\"6080K-2\",\"model\":\"6080K\",\"address\":\"10.0.0.66\",\"link"
         "\":\"cable\",\"faults\":[\"missing:file\"],\"pending_reboot\":false,\"calls\":{\"apply"
         "_network_config\":0,\"apply_user_config\":0},\"host_name\":\"a\\u0001\\u0008\\u000c\\u"
         "000d\\n\\t\\\"\\\\/\\u007f\\u0080\\u009f\xC2\xA0\xC3\xA9z\",\"file\":{\"number\":68,\""
         "bytes_hex\":\"040044000000000000000000000000004E45544346472E44434620202020202020202020"
         "20203638202031322F30332F323030392020202030393A33303A30300A000042\"}}\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bytes, record_json::ToJson(c.record)) << c.name;
        EXPECT_EQ(c.bytes, record_json::ToJson(record_json::FromJson(c.bytes))) << c.name;
    }
}

} // namespace
} // namespace bench
} // namespace velkor
