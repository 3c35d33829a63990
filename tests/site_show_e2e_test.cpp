// velkor-site show against the bench: what it prints for every model on both
// roads is what the bench holds, it changes nothing, and its failures say why.
#include "tests/support/program_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;
using Json = nlohmann::json;

struct Reading {
    Args args;        // after "show"
    const char* id;   // the bench's detector
    const char* port; // a module plugged for the module road, facing `id`
};

void PrintTo(const Reading& r, std::ostream* out) {
    *out << r.id << (r.port ? " over infrared" : "");
}

class SiteShowTest : public ::testing::TestWithParam<Reading> {
protected:
    void SetUp() override { scratch.bench({"init"}); }

    // What the bench keeps of a detector, but the host name every open sets.
    Json Stored(const std::string& id) const {
        Json stored = Json::parse(scratch.bench({"show", id, "--json"}).out);
        stored.erase("host_name");
        return stored;
    }

    e2e::Scratch scratch;
};

// The bench's own word for a value, whichever way the family keeps it.
Json Kept(const Json& stored, const char* file, const char* config) {
    return stored.contains(file) ? stored[file] : stored.value(config, Json());
}

TEST_P(SiteShowTest, PrintsWhatTheDetectorKeepsAndChangesNothing) {
    const Reading& r = GetParam();
    if (r.port != nullptr && std::string(r.port) != "COM3") {
        scratch.bench({"plug", r.port, r.id});
    }
    const Json before = Stored(r.id);
    Args args = {"show"};
    args.insert(args.end(), r.args.begin(), r.args.end());
    args.push_back("--json");
    const e2e::RunResult run = scratch.site(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const Json shown = Json::parse(run.out);

    EXPECT_EQ(shown["model"], before["model"]);
    EXPECT_EQ(shown["road"], r.port ? "module" : "network");
    EXPECT_EQ(shown["detector_address"],
              Kept(before, "file_detector_address", "stored_detector_address"));
    if (before.contains("file_detector_address") && !before.contains("file_host_address")) {
        EXPECT_EQ(shown["host_address"], "--.--.--.--"); // the 6080K keeps none
    } else {
        EXPECT_EQ(shown["host_address"], Kept(before, "file_host_address", "stored_host_address"));
    }
    EXPECT_EQ(shown.value("ssid", Json()), before.value("ssid", Json()));
    if (r.port) {
        EXPECT_EQ(shown["port"], r.port);
    } else {
        EXPECT_EQ(shown["link"], before["link"]);
        const Json wifi = before.value("wifi_switch", Json());
        EXPECT_EQ(shown.value("wifi", Json()), wifi.is_null() ? wifi : Json(wifi ? "on" : "off"));
    }
    EXPECT_EQ(Stored(r.id), before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryModel, SiteShowTest,
    ::testing::Values(
        Reading{{"-t", "6080K", "-c", "192.168.0.2"}, "6080K", nullptr},
        Reading{{"-t", "7180", "-c", "10.0.37.130"}, "7180", nullptr},
        Reading{{"-t", "7380", "-c", "192.168.37.130"}, "7380", nullptr},
        Reading{{"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24"}, "6080QL", nullptr},
        Reading{
            {"--type", "4050QL", "-c", "192.168.2.20", "-l", "192.168.2.1/24"}, "4050QL", nullptr},
        Reading{{"-t", "7380TW", "-c", "10.0.0.20", "-l", "10.0.0.1/16"}, "7380TW", nullptr},
        Reading{{"-t", "6080MV", "-c", "192.168.3.20", "-l", "192.168.3.1/24"}, "6080MV", nullptr},
        Reading{{"-t", "6080QL", "-m", "-s", "COM3"}, "6080QL", "COM3"},
        Reading{{"-t", "4050QL", "--module", "-s", "COM6"}, "4050QL", "COM6"},
        Reading{{"-t", "6080MV", "-m", "-s", "COM5"}, "6080MV", "COM5"}));

struct Refusal {
    Args args;
    int status;
    std::vector<std::string> err;
};

TEST(SiteShowRefusalTest, SaysWhatFailedAndWhy) {
    const Refusal refusals[] = {
        {{"-t", "6080K", "-c", "192.168.0.3"},
         1,
         {"Error - the 6080K at 192.168.0.3 could not be opened: det : open failed: no Vk6080K "
          "detector answers at 192.168.0.3:40000"}},
        // The program's own checks and lines come first.
        {{"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1"},
         1,
         {"Error - Invalid current peer cidr address : 192.168.1.1",
          "Error - invalid detector connection settings"}},
        {{"-t", "6080QL", "-m", "-s", "COM4"},
         1,
         {"Error - no infrared module answers on COM4: mod : open failed: no infrared module is "
          "plugged on COM4"}},
        {{"-t", "6080Q", "-c", "192.168.1.20"},
         2,
         {"velkor-site: unknown detector type 6080Q (did you mean 6080QL?) (known: 6080K, "
          "4050QL, 6080QL, 7180, 7380, 7380TW, 6080MV)",
          "usage: velkor-site show -t TYPE -c ADDRESS [-l PEER] [--json]",
          "       velkor-site show -t TYPE -m [-s PORT] [--json]"}},
        {{"-t", "7380", "-m"}, 2, {"velkor-site: a 7380 has no infrared module road"}},
        {{"-t", "7380", "-c", "192.168.37.130", "-d", "10.0.37.132"},
         2,
         {"velkor-site: show changes nothing and keeps no log: --new_detector_ip is "
          "velkor-ipconfig-cmd's"}},
        {{"-t", "7380", "--jsno"},
         2,
         {"velkor-site: unknown option --jsno (did you mean --json?)"}},
        {{"-t", "7380", "-c", "192.168.37.130", "-l"},
         2,
         {"velkor-site: the required argument for option '--current_peer_ip' is missing"}},
    };
    e2e::Scratch scratch;
    scratch.bench({"init"});
    for (const Refusal& r : refusals) {
        Args args = {"show"};
        args.insert(args.end(), r.args.begin(), r.args.end());
        const e2e::RunResult run = scratch.site(args);
        EXPECT_EQ(run.status, r.status) << r.err.front();
        const std::vector<std::string> err = run.errLines();
        EXPECT_EQ(
            std::vector<std::string>(err.begin(), err.begin() + std::min(err.size(), r.err.size())),
            r.err);
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
