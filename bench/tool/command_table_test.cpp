#include "bench/tool/command_table.h"

#include <gtest/gtest.h>

namespace velkor {
namespace bench {
namespace {

std::string Odd(const std::string& value) {
    return value == "odd" ? std::string() : "the mode is odd, not " + value;
}

// A table shaped like the bench's, without handlers.
const std::vector<Command>& Table() {
    static const std::vector<Command> table = {
        {"init", "", 0, 0, {"--force"}, {}, nullptr, {"set up (--force replaces)"}},
        {"add",
         "MODEL ADDRESS",
         2,
         2,
         {},
         {{"--host", "ADDRESS", nullptr}, {"--mode", "odd", &Odd}},
         nullptr,
         {"a new one"}},
        {"show", "ITEM", 1, 1, {"--json"}, {}, nullptr, {}},
        {"plug", "PORT [ITEM]", 1, 2, {}, {}, nullptr, {"first line", "second line"}},
        {"dump", "ITEM FILE_NUMBER", 2, 2, {}, {}, nullptr, {"raw"}, SummaryColumn + 6},
    };
    return table;
}

Invocation Read(const std::vector<std::string>& args) {
    return ReadCommandLine(args, Table());
}

TEST(CommandTableTest, TheUsageLineShowsArgumentsFlagsAndValuedOptions) {
    EXPECT_EQ("velkor-bench init [--force]", Table()[0].usage());
    EXPECT_EQ("velkor-bench add MODEL ADDRESS [--host ADDRESS] [--mode odd]", Table()[1].usage());
    EXPECT_EQ("velkor-bench show ITEM [--json]", Table()[2].usage());
    EXPECT_EQ("velkor-bench plug PORT [ITEM]", Table()[3].usage());
}

TEST(CommandTableTest, HelpLinesPutTheSummaryInItsColumnOrOnTheNextLine) {
    const std::string column(SummaryColumn, ' ');
    EXPECT_EQ("  velkor-bench init [--force]        set up (--force replaces)\n"
              "  velkor-bench add MODEL ADDRESS [--host ADDRESS] [--mode odd]\n" +
                  column + "a new one\n" +
                  "  velkor-bench show ITEM [--json]\n"
                  "  velkor-bench plug PORT [ITEM]      first line\n" +
                  column + "second line\n" + "  velkor-bench dump ITEM FILE_NUMBER       raw\n",
              HelpUsageLines(Table()));
}

TEST(CommandTableTest, ReadsWordsFlagsAndValuesOnce) {
    const Invocation add =
        Read({"add", "--mode", "even", "M", "--host", "h1", "A", "--host", "h2", "--mode", "odd"});
    ASSERT_NE(nullptr, add.command);
    EXPECT_EQ("add", add.command->name);
    EXPECT_EQ((std::vector<std::string>{"M", "A"}), add.words);
    EXPECT_EQ("h2", *add.value("--host"));
    EXPECT_EQ("odd", *add.value("--mode"));
    EXPECT_FALSE(add.help);

    const Invocation show = Read({"--json", "show", "--", "--json"});
    EXPECT_EQ((std::vector<std::string>{"--json"}), show.words);
    EXPECT_TRUE(show.has("--json"));
    EXPECT_FALSE(show.value("--host"));

    const Invocation dashes = Read({"plug", "--", "P", "--host"});
    EXPECT_EQ("plug", dashes.command->name);
    EXPECT_EQ((std::vector<std::string>{"P", "--host"}), dashes.words);
    EXPECT_TRUE(dashes.values.empty());

    EXPECT_EQ("-", Read({"show", "-"}).words.front());
}

TEST(CommandTableTest, HelpIsAskedForOnceTheLineIsRead) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                                 {"-h", "frobnicate"},
                                                 {"help"},
                                                 {"help", "--json"},
                                                 {"show", "--help"},
                                                 {"help", "--host", "h"}}) {
        const Invocation call = Read(args);
        EXPECT_TRUE(call.help) << args.front();
        EXPECT_EQ(nullptr, call.command);
    }
}

TEST(CommandTableTest, BadArgumentsNameTheReasonAndTheUsage) {
    const std::string Any = GeneralUsage;
    const struct {
        std::vector<std::string> args;
        std::string reason;
        std::string usage;
    } cases[] = {
        {{}, "no command given", Any},
        {{"frobnicate"}, "unknown command frobnicate", Any},
        {{"--bogus", "show"}, "unknown option --bogus", Any},
        {{"show", "--bogus"}, "unknown option --bogus", "velkor-bench show ITEM [--json]"},
        {{"--help", "--bogus"}, "unknown option --bogus", Any},
        {{"show", "x", "--host"},
         "--host needs a value",
         "velkor-bench add MODEL ADDRESS [--host ADDRESS] [--mode odd]"},
        {{"show", "x", "--mode", "odd", "--host", "h", "--force"},
         "--host is an option of add",
         "velkor-bench show ITEM [--json]"},
        {{"show", "x", "--force"},
         "--force is not an option of show",
         "velkor-bench show ITEM [--json]"},
        {{"add", "M", "--mode", "even"},
         "the mode is odd, not even",
         "velkor-bench add MODEL ADDRESS [--host ADDRESS] [--mode odd]"},
        {{"add", "M"},
         "missing arguments",
         "velkor-bench add MODEL ADDRESS [--host ADDRESS] [--mode odd]"},
        {{"plug"}, "missing arguments", "velkor-bench plug PORT [ITEM]"},
        {{"plug", "a", "b", "c"}, "too many arguments", "velkor-bench plug PORT [ITEM]"},
    };
    for (const auto& c : cases) {
        try {
            Read(c.args);
            ADD_FAILURE() << c.reason;
        } catch (const UsageError& error) {
            EXPECT_EQ(c.reason, error.what());
            EXPECT_EQ(c.usage, error.usage) << c.reason;
        }
    }
}

TEST(CommandTableTest, ACommandRefusesWithItsOwnUsage) {
    const Invocation call = Read({"plug", "COM3"});
    EXPECT_EQ((std::vector<std::string>{"COM3"}), call.words);
    try {
        call.refuse("no such port");
        ADD_FAILURE();
    } catch (const UsageError& error) {
        EXPECT_EQ(std::string("no such port"), error.what());
        EXPECT_EQ("velkor-bench plug PORT [ITEM]", error.usage);
    }
}

} // namespace
} // namespace bench
} // namespace velkor
