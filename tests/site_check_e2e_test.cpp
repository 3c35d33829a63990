// velkor-site check: plans as spreadsheets save them, each row checked with
// the program's own lines, the rows against each other, and plans that
// cannot be read. Nothing reaches the bench.
#include "app/testing/console_texts.h"
#include "tests/support/program_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct PlanCase {
    const char* what;
    std::string plan;
    int status;
    Lines out; // the whole of standard output
    Lines err;
    int mode = 0600;
};

const std::string Header = "label,type,road,current_detector_ip,current_peer_ip,serial_port,"
                           "new_detector_ip,new_peer_ip,new_ssid,new_password,wifi_enable\n";
const std::string Bay1 =
    "Bay 1,6080QL,,192.168.1.20,192.168.1.1/24,,192.168.1.30,192.168.1.1/24,,,\n";

std::string Trimmed(std::string line) {
    return line.substr(0, line.size() - 1);
}

const PlanCase Cases[] = {
    // As spreadsheets save them.
    {"semicolons, a byte-order mark, CR LF, a doubled quote and a separator in a quoted cell",
     "\xEF\xBB\xBFtype;label;current_detector_ip;new_detector_ip\r\n"
     "6080K;\"Bay \"\"1\"\"; left\";192.168.0.2;192.168.0.66\r\n\r\n",
     0,
     {"line 2 (Bay \"1\"; left): ok", "1 row: 1 ok, 0 with problems"},
     {}},
    {"commas, LF, any column order, a quoted comma and a row of empty cells",
     "new_detector_ip,current_detector_ip,type,label\n"
     "192.168.0.66,192.168.0.2,6080K,\"Bay 1, left\"\n,,,\n",
     0,
     {"line 2 (Bay 1, left): ok", "1 row: 1 ok, 0 with problems"},
     {}},
    {"what only the run can check",
     Header + "Mobile,4050QL,,192.168.2.20,192.168.2.1/24,,192.168.2.30,192.168.2.1/24,,,false\n" +
         "IR,6080QL,module,,,COM3,192.168.1.40,192.168.1.1/24,,,\n",
     0,
     {"line 2 (Mobile): ok",
      "  left for the run: the link: over Wi-Fi the program carries out one request per run",
      "line 3 (IR): ok",
      "  left for the run: the address checks, against the addresses read over infrared",
      "2 rows: 2 ok, 0 with problems"},
     {}},
    // Rows the program would refuse, with its own lines.
    {"the program's rules, type, command line and address sets",
     Header + "K,6080K,,192.168.0.2,192.168.0.10,,192.168.0.66,,,,\n" +
         "X,9999,,1.2.3.4,,,1.2.3.5,,,,\n" + "Y,,,1.2.3.6,,,1.2.3.7,,,,\n" +
         "W,6080QL,,192.168.1.20,192.168.1.1/24,,,,,,maybe\n" +
         "CT,7380,,192.168.37.130,,,10.0.37.132,10.0.37.131,,,\n" +
         "IR,6080QL,module,192.168.1.20,,,192.168.1.40,192.168.1.1/24,,,\n" +
         "R,6080QL,serial,,,,,,,,\n" +
         "H,6080QL,,192.168.4.20,192.168.4.1/24,,192.168.4.1,192.168.4.1/24,,,\n",
     1,
     {"line 2 (K): not ok",
      "  " + Trimmed(app_testing::BadIp),
      "  " + app_testing::Forbidden + "Current peer IP",
      "  Error - invalid detector request (inconsistent parameters)",
      "line 3 (X): not ok",
      "  Error - Invalid detector type : 9999",
      "line 4 (Y): not ok",
      "  Error - Detector type must specified.",
      "line 5 (W): not ok",
      "  Error - Bad invocation of command line : the argument ('maybe') for option "
      "'--wifi_enable' is invalid. Valid choices are 'on|off', 'yes|no', '1|0' and 'true|false'",
      "line 6 (CT): not ok",
      "  Error - incompatible new detector and new detector peer ip : 10.0.37.132 / 10.0.37.131",
      "line 7 (IR): not ok",
      "  " + Trimmed(app_testing::BadIp),
      "  " + app_testing::Forbidden + "Current detector IP",
      "  Error - invalid module request (inconsistent parameters)",
      "line 8 (R): not ok",
      "  road is network or module, not serial",
      "line 9 (H): not ok",
      "  Error - new detector and peer ip addresses cannot be the same",
      "8 rows: 0 ok, 8 with problems"},
     {}},
    // The rows against each other.
    {"the same detector twice, on either road",
     Header + Bay1 + "Bay 1b,6080QL,,192.168.1.20,192.168.1.1/24,,,,CLINIC,s3cret-pass,\n" +
         "IR 1,6080QL,module,,,COM3,,,CLINIC,s3cret-pass,\n" +
         "IR 2,6080MV,module,,,COM3,,,CLINIC,s3cret-pass,\n",
     1,
     {"line 2 (Bay 1): not ok", "  the same detector (reached at 192.168.1.20) as line 3",
      "line 3 (Bay 1b): not ok", "  the same detector (reached at 192.168.1.20) as line 2",
      "line 4 (IR 1): not ok", "  the same detector (the module on COM3) as line 5",
      "line 5 (IR 2): not ok", "  the same detector (the module on COM3) as line 4",
      "4 rows: 0 ok, 4 with problems"},
     {}},
    {"a new address twice, a host's address, a 7180/7380 pair twice",
     Header + Bay1 +
         "Bay 3,6080MV,,192.168.3.20,192.168.3.1/24,,192.168.1.31,192.168.1.30/24,,,\n" +
         "Mobile,4050QL,,192.168.2.20,192.168.2.1/24,,192.168.1.31,192.168.1.1/24,,,\n" +
         "CT,7380,,192.168.37.130,,,10.0.37.132,10.0.37.133,,,\n" +
         "CT 2,7180,,10.0.37.130,,,10.0.37.130,10.0.37.133,,,\n",
     1,
     {"line 2 (Bay 1): not ok",
      "  new detector address 192.168.1.30 is the new peer address of line 3",
      "line 3 (Bay 3): not ok",
      "  new peer address 192.168.1.30/24 is the new detector address of line 2",
      "  the same new detector address 192.168.1.31 as line 4", "line 4 (Mobile): not ok",
      "  the same new detector address 192.168.1.31 as line 3", "line 5 (CT): not ok",
      "  the same 7180/7380 address pair (host 10.0.37.133) as line 6", "line 6 (CT 2): not ok",
      "  Error - incompatible new detector and new detector peer ip : 10.0.37.130 / 10.0.37.133",
      "  the same 7180/7380 address pair (host 10.0.37.133) as line 5",
      "5 rows: 0 ok, 5 with problems"},
     {}},
#ifndef _WIN32
    // Passwords are for the owner's eyes only (Windows keeps rights in ACLs).
    {"a plan with passwords that others may read",
     Header + "Bay 1,6080QL,,192.168.1.20,192.168.1.1/24,,,,CLINIC,s3cret-pass,\n",
     1,
     {"line 2 (Bay 1): ok",
      "plan.csv: holds Wi-Fi passwords and others may read it: chmod 600 plan.csv",
      "1 row: 1 ok, 0 with problems"},
     {},
     0644},
#endif
    // Plans that cannot be read.
    {"an unknown column",
     "type,labl\n",
     2,
     {},
     {"velkor-site: plan.csv: line 1, column labl: unknown column (did you mean label?)"}},
    {"a column twice",
     "type,label,type\n",
     2,
     {},
     {"velkor-site: plan.csv: line 1, column type: is there twice"}},
    {"no type column",
     "label\nBay 1\n",
     2,
     {},
     {"velkor-site: plan.csv: line 1: the header has no type column"}},
    {"a short row",
     "type,label\n6080K\n",
     2,
     {},
     {"velkor-site: plan.csv: line 2: fewer cells than the header has columns"}},
    {"a quote not closed",
     "type,label\n6080K,\"Bay 1\n",
     2,
     {},
     {"velkor-site: plan.csv: line 2: a quoted cell is not closed (a cell holds no line break)"}},
    {"not UTF-8",
     "type,label\n6080K,Caf\xE9\n",
     2,
     {},
     {"velkor-site: plan.csv: line 2, column label: is not UTF-8 text: save the plan as UTF-8"}},
    {"a control character",
     "type,label\n6080K,\x1b[2J\n",
     2,
     {},
     {"velkor-site: plan.csv: line 2, column label: holds a control character"}},
    {"an empty file",
     "",
     2,
     {},
     {"velkor-site: plan.csv: is empty: a plan starts with a header row naming its columns"}},
    {"no row", "type,label\n", 2, {}, {"velkor-site: plan.csv: has no row under its header"}},
};

TEST(SiteCheckTest, ChecksEachRowAsTheProgramWouldAndTheRowsAgainstEachOther) {
    e2e::Scratch scratch;
    scratch.bench({"init"});
    const std::string bench = scratch.bench({"list", "--json"}).out;
    for (const PlanCase& c : Cases) {
        SCOPED_TRACE(c.what);
        scratch.write("plan.csv", c.plan, c.mode);
        const e2e::RunResult run = scratch.site({"check", "plan.csv"});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.outLines(), c.out);
        EXPECT_EQ(run.errLines(), c.err);
    }
    // No detector was opened: not even their host names changed.
    EXPECT_EQ(scratch.bench({"list", "--json"}).out, bench);
    EXPECT_EQ(scratch.readLog(), "");
}

TEST(SiteCheckTest, AFolderIsNoPlan) {
    e2e::Scratch scratch;
    const e2e::RunResult run = scratch.site({"check", "."});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.errLines(), Lines({"velkor-site: .: is a folder: name the plan's file"}));
}

TEST(SiteCheckTest, JsonSaysTheSameAsData) {
    e2e::Scratch scratch;
    scratch.write("plan.csv",
                  Header + "K,6080K,,192.168.0.2,192.168.0.10,,192.168.0.66,,,,\n" +
                      "Bay 1,6080QL,,192.168.1.20,192.168.1.1/24,,,,CLINIC,s3cret,on\n");
    const e2e::RunResult run = scratch.site({"check", "--json", "plan.csv"});
    EXPECT_EQ(run.status, 1);
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["ok"], false);
    EXPECT_EQ(report["rows_ok"], 1);
    EXPECT_EQ(report["rows"][0]["problems"][1], app_testing::Forbidden + "Current peer IP");
    EXPECT_EQ(report["rows"][1]["requests"],
              nlohmann::json({"SSID configuration", "Wifi activation"}));
    EXPECT_EQ(run.out.find("s3cret"), std::string::npos);
}

} // namespace
