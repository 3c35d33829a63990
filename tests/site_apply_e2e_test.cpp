// velkor-site apply against the bench: a whole site, every outcome kind,
// --keep-going and --from, a roll-out killed or interrupted half-way, and
// passwords that never leave the plan but for the program.
#include "bench/store/bench_store.h"
#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif
#ifdef __linux__
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

namespace fs = boost::filesystem;
using Json = nlohmann::json;
using Lines = std::vector<std::string>;

class SiteApplyTest : public ::testing::Test {
protected:
    void SetUp() override { scratch.bench({"init"}); }

    Json Report(const std::string& run) const {
        std::ifstream file((scratch.dir() / run / "report.json").string());
        return Json::parse(file);
    }

    // Each row's outcome, as "LINE outcome", and its reason where one is given.
    Lines Outcomes(const Json& report) const {
        Lines outcomes;
        for (const Json& row : report["rows"]) {
            outcomes.push_back(std::to_string(row["row"].get<int>()) + " " +
                               row["outcome"].get<std::string>());
        }
        return outcomes;
    }

    // The address a detector keeps now, in its file or its configuration.
    std::string Kept(const std::string& id) const {
        const Json stored = Json::parse(scratch.bench({"show", id, "--json"}).out);
        return stored.value("file_detector_address",
                            stored.value("stored_detector_address", std::string()));
    }

    e2e::Scratch scratch;
};

TEST_F(SiteApplyTest, TheExamplePlanReaddressesTheWholeFactoryBench) {
    fs::copy_file(VELKOR_EXAMPLE_PLAN, scratch.dir() / "ward-plan.csv");
    const e2e::RunResult run = scratch.site({"apply", "ward-plan.csv", "--run-folder", "run"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    const Json report = Report("run");
    EXPECT_EQ(Outcomes(report), Lines({"2 changed", "3 changed", "4 changed", "5 changed",
                                       "6 changed", "7 changed", "8 changed"}));
    for (const Json& row : report["rows"]) {
        EXPECT_EQ(row["exit_status"], 0);
        EXPECT_TRUE(fs::is_regular_file(scratch.dir() / "run" / row["folder"].get<std::string>() /
                                        "velkor-ipconfig-cmd.log"));
    }
    const std::pair<const char*, const char*> moved[] = {
        {"6080K", "192.168.0.66"},  {"7380", "192.168.37.132"}, {"7180", "10.0.37.132"},
        {"6080QL", "192.168.1.30"}, {"4050QL", "192.168.2.30"}, {"7380TW", "10.0.0.30"},
        {"6080MV", "192.168.3.30"}};
    for (const auto& detector : moved) {
        EXPECT_EQ(Kept(detector.first), detector.second) << detector.first;
    }
    // The report's places in the system's own spelling of a path.
    const fs::path folder("run");
    EXPECT_EQ(run.outLines().back(), "record: " + (folder / "report.csv").string() + ", " +
                                         (folder / "report.json").string());
}

TEST_F(SiteApplyTest, ALostConsoleNeverStopsARollOut) {
    fs::copy_file(VELKOR_EXAMPLE_PLAN, scratch.dir() / "ward-plan.csv");
    using LostConsole = e2e::Scratch::LostConsole;
    for (const LostConsole how : {LostConsole::BrokenPipes, LostConsole::Closed}) {
        scratch.bench({"init", "--force"});
        const std::string folder = how == LostConsole::Closed ? "closed" : "broken";
        EXPECT_EQ(scratch.runWithoutConsole(how, VELKOR_SITE_PROGRAM,
                                            {"apply", "ward-plan.csv", "--run-folder", folder}),
                  0)
            << folder;
        EXPECT_EQ(Outcomes(Report(folder)),
                  Lines({"2 changed", "3 changed", "4 changed", "5 changed", "6 changed",
                         "7 changed", "8 changed"}))
            << folder;
    }
}

TEST_F(SiteApplyTest, EveryOutcomeStopsOrGoesOnAsAsked) {
    scratch.bench({"fault", "6080QL", "refuse-write", "on"});
    scratch.bench({"fault", "7380TW", "offline", "on"});
    scratch.write("plan.csv",
                  "label,type,current_detector_ip,current_peer_ip,new_detector_ip,new_peer_ip,"
                  "new_ssid,new_password\n"
                  "QL,6080QL,192.168.1.20,192.168.1.1/24,192.168.1.30,192.168.1.1/24,,\n"
                  "Mobile,4050QL,192.168.2.20,192.168.2.1/24,192.168.2.30,192.168.2.1/24,NEW,"
                  "s3cret-pass\n"
                  "TW,7380TW,10.0.0.20,10.0.0.1/16,10.0.0.30,10.0.0.1/16,,\n"
                  "MV,6080MV,192.168.3.20,192.168.3.1/24,192.168.3.30,192.168.3.1/24,,\n"
                  "K,6080K,192.168.0.2,,192.168.0.66,,,\n");

    // Stops at the first row not changed.
    e2e::RunResult run = scratch.site({"apply", "plan.csv", "--run-folder", "a"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.outLines().size(), 3u);
    EXPECT_EQ(run.outLines()[1], "5 rows: 1 not changed, 4 skipped");
    Json report = Report("a");
    EXPECT_EQ(Outcomes(report),
              Lines({"2 not changed", "3 skipped", "4 skipped", "5 skipped", "6 skipped"}));
    EXPECT_EQ(report["rows"][0]["reason"],
              "Info - The ip address configuration has not been changed (det : addresses "
              "refused: the detector refuses to store addresses (fault refuse-write))");
    EXPECT_EQ(report["rows"][1]["reason"],
              "not run: line 2 was not changed (--keep-going goes on)");

    // Goes on from a plan line, whatever comes.
    run = scratch.site({"apply", "plan.csv", "--from", "3", "--keep-going", "--run-folder", "b"});
    EXPECT_EQ(run.status, 1);
    report = Report("b");
    EXPECT_EQ(Outcomes(report),
              Lines({"2 skipped", "3 refused", "4 failed", "5 changed", "6 changed"}));
    EXPECT_EQ(report["rows"][0]["reason"], "before --from");
    EXPECT_EQ(report["rows"][1]["reason"],
              "Error - cannot operate dual ip and ssid configuration over wifi connexion, please "
              "plug detector LBX if needed");
    EXPECT_EQ(report["rows"][2]["reason"],
              "Error - The ip address configuration process FAILED (std::exception). (det : open "
              "failed: no Vk7380TWc detector answers at 10.0.0.20)");
    EXPECT_EQ(report["rows"][2]["exit_status"], 1);
    EXPECT_EQ(run.outLines()[4], "4 rows: 2 changed, 1 refused, 1 failed");

    // Rows before --from do not count: all the rows run changed.
    run = scratch.site({"apply", "plan.csv", "--from", "6", "--run-folder", "c"});
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(Outcomes(Report("c")),
              Lines({"2 skipped", "3 skipped", "4 skipped", "5 skipped", "6 changed"}));
}

TEST_F(SiteApplyTest, AKilledRollOutLeavesAWholeReportOfWhatWasDone) {
    scratch.write("plan.csv", "label,type,current_detector_ip,new_detector_ip,new_peer_ip\n"
                              "K,6080K,192.168.0.2,192.168.0.66,\n"
                              "CT,7380,192.168.37.130,192.168.37.132,192.168.37.133\n"
                              "C2,7180,10.0.37.130,10.0.37.132,10.0.37.133\n");
    // Row 3's program waits for the 7380, which the test holds, while the
    // roll-out is killed.
    auto held = velkor::bench::BenchStore(scratch.benchDir()).open("7380");
    auto run =
        scratch.startProgram(VELKOR_SITE_PROGRAM, {"apply", "plan.csv", "--run-folder", "run"},
                             {{"VELKOR_BENCH_LOCK_TIMEOUT_MS", "20000"}});
    ASSERT_TRUE(run->readUntil("line 2 (K): changed"));
    run->kill();
    held.reset();
    // What the report says is what the bench holds: row 2 done, row 3
    // recorded as started or not yet (it never got its detector), row 4 not.
    const Lines outcomes = Outcomes(Report("run"));
    EXPECT_EQ(outcomes[0], "2 changed");
    EXPECT_TRUE(outcomes[1] == "3 running" || outcomes[1] == "3 skipped") << outcomes[1];
    EXPECT_EQ(outcomes[2], "4 skipped");
    EXPECT_EQ(Kept("6080K"), "192.168.0.66");
    EXPECT_EQ(Kept("7380"), "192.168.37.130");
    EXPECT_EQ(Kept("7180"), "10.0.37.130");
}

#ifndef _WIN32
// In the program's place, a script that runs it, but for the 7380's row:
// there it gives its process id and waits for ever on a pipe nobody writes to.
class SiteApplyStandInTest : public SiteApplyTest {
protected:
    std::unique_ptr<e2e::StartedRun> StartUntilThe7380Waits() {
        scratch.write(
            "program.sh",
            "#!/bin/sh\n"
            "case \" $* \" in *\" 7380 \"*) echo $$ >\"$STARTED\"; exec cat \"$HELD\" ;; esac\n"
            "exec \"$PROGRAM\" \"$@\"\n",
            0700);
        const fs::path started = scratch.dir() / "started";
        const fs::path held = scratch.dir() / "held";
        EXPECT_EQ(::mkfifo(started.c_str(), 0600), 0);
        EXPECT_EQ(::mkfifo(held.c_str(), 0600), 0);
        scratch.write("plan.csv", "label,type,current_detector_ip,new_detector_ip,new_peer_ip\n"
                                  "K,6080K,192.168.0.2,192.168.0.66,\n"
                                  "CT,7380,192.168.37.130,192.168.37.132,192.168.37.133\n"
                                  "C2,7180,10.0.37.130,10.0.37.132,10.0.37.133\n");
        auto run = scratch.startProgram(VELKOR_SITE_PROGRAM,
                                        {"apply", "plan.csv", "--run-folder", "run", "--program",
                                         (scratch.dir() / "program.sh").string()},
                                        {{"STARTED", started.string()},
                                         {"HELD", held.string()},
                                         {"PROGRAM", e2e::IpconfigProgram()}});
        std::ifstream(started.string()) >> waiting;
        return run;
    }

    pid_t waiting = 0; // the 7380's row's program
};

TEST_F(SiteApplyStandInTest, CtrlCEndsTheRunningRowAndStillWritesTheReport) {
    auto run = StartUntilThe7380Waits();
    run->interrupt();
    const e2e::RunResult result = run->finish();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.outLines()[1].rfind("line 3 (CT): failed (", 0), 0u) << result.out;
    EXPECT_NE(result.outLines()[1].find("): interrupted: velkor-site ended the program"),
              std::string::npos);
    EXPECT_EQ(result.outLines()[2], "3 rows: 1 changed, 1 failed, 1 skipped");
    const Json report = Report("run");
    EXPECT_EQ(Outcomes(report), Lines({"2 changed", "3 failed", "4 skipped"}));
    EXPECT_EQ(report["rows"][2]["reason"], "interrupted");
    EXPECT_EQ(Kept("6080K"), "192.168.0.66");
    EXPECT_EQ(Kept("7180"), "10.0.37.130");
}

#ifdef __linux__
TEST_F(SiteApplyStandInTest, AKilledRollOutTakesItsRunningRowAlong) {
    auto run = StartUntilThe7380Waits();
    run->kill();
    // The row's program goes too, rather than changing a detector behind
    // the record's back.
    const int gone = static_cast<int>(::syscall(SYS_pidfd_open, waiting, 0));
    if (gone >= 0) {
        pollfd exit = {gone, POLLIN, 0};
        EXPECT_EQ(::poll(&exit, 1, 10000), 1) << "the row's program outlived velkor-site";
        ::close(gone);
    }
}
#endif
#endif

TEST_F(SiteApplyTest, PasswordsGoToTheProgramOnly) {
    const std::string password = "s3cret-pass";
    const std::string plan = "label,type,road,current_detector_ip,current_peer_ip,serial_port,"
                             "new_ssid,new_password\n"
                             "Bay 1,6080QL,network,192.168.1.20,192.168.1.1/24,,CLINIC-XR," +
                             password +
                             "\nBay 3,6080MV,network,192.168.3.20,192.168.3.1/24,,"
                             "CLINIC-XR,-" +
                             password + "\n";
    const Json before = Json::parse(scratch.bench({"list", "--json"}).out);
#ifndef _WIN32
    scratch.write("plan.csv", plan, 0640);
    e2e::RunResult run = scratch.site({"apply", "plan.csv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.outLines()[2],
              "plan.csv: holds Wi-Fi passwords and others may read it: chmod 600 plan.csv");
    EXPECT_EQ(run.errLines(),
              Lines({"velkor-site: plan.csv does not pass check: nothing was started"}));
    EXPECT_EQ(Json::parse(scratch.bench({"list", "--json"}).out), before);
#endif
    scratch.write("plan.csv", plan, 0600);
    const e2e::RunResult applied = scratch.site({"apply", "plan.csv", "--run-folder", "run"});
    EXPECT_EQ(applied.status, 0) << applied.out << applied.err;
    EXPECT_TRUE(scratch.passwordIs("6080QL", password));
    EXPECT_TRUE(scratch.passwordIs("6080MV", "-" + password));
    // Nowhere in what velkor-site printed or wrote, nor in the rows' logs.
    EXPECT_EQ((applied.out + applied.err).find(password), std::string::npos);
    for (const fs::directory_entry& entry :
         fs::recursive_directory_iterator(scratch.dir() / "run")) {
        if (fs::is_regular_file(entry.path())) {
            std::ifstream file(entry.path().string(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
            EXPECT_EQ(text.find(password), std::string::npos) << entry.path();
        }
    }
}

} // namespace
