#include "bench/store/bench_error.h"
#include "bench/store/bounded_parse.h"
#include "bench/store/detector_record.h"
#include "bench/store/new_detector.h"

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

DetectorRecord Factory(const char* model, const char* address) {
    return NewDetector(*BenchModel::Find(model), model, address, boost::none, boost::none,
                       std::string("VK-") + model);
}

void ExpectSame(const DetectorRecord& a, const DetectorRecord& b) {
    EXPECT_EQ(a.toJson(), b.toJson());
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
        record.state.faults = {"offline", "fail-write"};
        record.state.applyNetworkConfigCalls = 4;
        record.state.lastUserConfigOverCable = false;
        record.state.hostName = "WORKSTATION-4";
        if (model.hasWifi) {
            record.password = "s3cret-pass";
        }
        ExpectSame(record, DetectorRecord::FromJson(record.toJson()));
        EXPECT_EQ(model.name, DetectorRecord::FromJson(record.toJson()).state.model->name);
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
        const std::string json = record.toJson();
        const DetectorRecord again = DetectorRecord::FromJson(json);
        EXPECT_EQ(text, again.state.ssid);
        EXPECT_EQ(text, again.state.hostName);
        EXPECT_NO_THROW(bounded::ParseJson(json));
    }
}

// Ids and addresses too: a text that is not UTF-8 is stored as its bytes, in
// hexadecimal, and a plain one stays written as it always was.
TEST(DetectorRecordTest, IdsAndAddressesKeepEveryByte) {
    const DetectorRecord plain = Factory("6080MV", "192.168.3.20");
    const std::string json = plain.toJson();
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
        const DetectorRecord again = DetectorRecord::FromJson(record.toJson());
        EXPECT_EQ(text, again.state.id);
        EXPECT_EQ(text, again.state.address);
        EXPECT_EQ(text + "1", again.state.storedAddress);
        EXPECT_EQ(text + "2", again.state.hostAddress);
        EXPECT_EQ(record.toJson(), again.toJson());
    }
    DetectorRecord odd = plain;
    odd.state.id = "6080MV\xC1\x95";
    EXPECT_NE(std::string::npos, odd.toJson().find("\"id_hex\":\"363038304D56C195\""));
}

TEST(DetectorRecordTest, DamagedRecordsAreRefusedWithTheReason) {
    const std::string good = Factory("7380", "192.168.37.130").toJson();
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
            DetectorRecord::FromJson(c.text);
            ADD_FAILURE() << c.name << " was taken";
        } catch (const BenchError& error) {
            if (c.reason != nullptr) {
                EXPECT_STREQ(c.reason, error.what()) << c.name;
            }
        }
    }
}

} // namespace
} // namespace bench
} // namespace velkor
