#include "platform/tools/logger.h"
#include "platform/tools/testing/environment.h"
#include "platform/tools/testing/scratch_folder.h"

#include <boost/filesystem/operations.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace {

using mirl::tools::logger;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Every test starts and ends with a logger that has neither sinks nor prefixes.
class Logger : public ::testing::Test {
protected:
    void SetUp() override { logger::manager().clear(); }
    void TearDown() override { logger::manager().clear(); }

    void Capture() {
        logger::manager().addsink("test",
                                  [this](const std::string& text) { lines.push_back(text); });
    }

    std::vector<std::string> lines;
};

// A file name in a scratch folder, removed when the test ends.
class TempFile {
public:
    const std::string& name() const { return name_; }

    std::vector<std::string> lines() const {
        std::ifstream stream(name());
        std::vector<std::string> result;
        for (std::string line; std::getline(stream, line);) {
            result.push_back(line);
        }
        return result;
    }

    std::string content() const {
        std::ifstream stream(name(), std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

private:
    tools_testing::ScratchFolder folder_{"velkor-logger"};
    std::string name_ = (folder_.dir() / "velkor.log").string();
};

int Touch(int& counter) {
    return ++counter;
}

// ISO 8601 local time with milliseconds, and optionally the UTC offset in the
// same (extended) format.
const std::regex
    Stamp(R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})\.\d{3}(Z|[+-]\d{2}:\d{2})?)");

// The date and time fields of a stamp that Stamp matched.
std::tm StampedTime(const std::smatch& match) {
    std::tm stamped{};
    stamped.tm_year = std::stoi(match[1]) - 1900;
    stamped.tm_mon = std::stoi(match[2]) - 1;
    stamped.tm_mday = std::stoi(match[3]);
    stamped.tm_hour = std::stoi(match[4]);
    stamped.tm_min = std::stoi(match[5]);
    stamped.tm_sec = std::stoi(match[6]);
    return stamped;
}

TEST_F(Logger, NothingIsFormattedWithoutASink) {
    ASSERT_TRUE(logger::manager().empty_sink());
    int counter = 0;
    LOG_ERROR("never built " << Touch(counter));
    LOG_INFO("never built " << Touch(counter));
    LOG_WARNING("never built " << Touch(counter));
    EXPECT_EQ(0, counter);

    Capture();
    EXPECT_FALSE(logger::manager().empty_sink());
    LOG_INFO("built " << Touch(counter));
    EXPECT_EQ(1, counter);
    EXPECT_THAT(lines, ElementsAre("I built 1\n"));
}

TEST_F(Logger, EachStatementGivesOneLineWithItsLevelMark) {
    Capture();
    LOG_ERROR("DetectorIpManager::CreateDetector - Error creating the detector");
    LOG_INFO("det : "
             << "opened " << 2 << " extensions");
    LOG_WARNING("careful");
    EXPECT_THAT(lines,
                ElementsAre("E DetectorIpManager::CreateDetector - Error creating the detector\n",
                            "I det : opened 2 extensions\n", "W careful\n"));
}

TEST_F(Logger, EmbeddedLineEndsDoNotSplitALine) {
    Capture();
    LOG_INFO("first\nsecond\r\nthird");
    LOG_ERROR("trailing\n\n");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(1, std::count(lines[0].begin(), lines[0].end(), '\n')) << lines[0];
    EXPECT_THAT(lines[0], ::testing::StartsWith("I first"));
    EXPECT_THAT(lines[0], ::testing::HasSubstr("second"));
    EXPECT_THAT(lines[0], ::testing::EndsWith("third\n"));
    EXPECT_EQ(std::string::npos, lines[0].find('\r'));
    EXPECT_EQ("E trailing\n", lines[1]);
}

TEST_F(Logger, TerminalCommandsAndBytesThatAreNotUtf8AreEscaped) {
    Capture();
    const struct {
        std::string message;
        std::string line;
    } cases[] = {
        {"det : addresses stored: detector \x1B]0;owned\x07", "det : addresses stored: detector "
                                                              "\\x1B]0;owned\\x07"},
        {"C1 \xC2\x9B"
         "2J, DEL \x7F, NUL " +
             std::string(1, '\0') + "!",
         "C1 \\xC2\\x9B2J, DEL \\x7F, NUL \\x00!"},
        {"not UTF-8: \xE9t\xC3, overlong \xC0\xAF", "not UTF-8: \\xE9t\\xC3, overlong \\xC0\\xAF"},
        {"kept: tab\there, caf\xC3\xA9, \xE2\x82\xAC, HKEY\\SOFTWARE",
         "kept: tab\there, caf\xC3\xA9, \xE2\x82\xAC, HKEY\\SOFTWARE"},
    };
    for (const auto& c : cases) {
        lines.clear();
        LOG_INFO(c.message);
        EXPECT_THAT(lines, ElementsAre("I " + c.line + "\n")) << c.line;
    }
}

TEST_F(Logger, RemovedAndReplacedSinksNoLongerReceive) {
    std::vector<std::string> other;
    logger::manager().addsink("test", [&other](const std::string& text) { other.push_back(text); });
    Capture(); // same name: replaces the first sink
    LOG_INFO("one");
    logger::manager().removesink("test");
    EXPECT_TRUE(logger::manager().empty_sink());
    LOG_INFO("two");
    EXPECT_THAT(other, IsEmpty());
    EXPECT_THAT(lines, ElementsAre("I one\n"));
}

TEST_F(Logger, FailingSinkOrPrefixDoesNotThrowNorCostOtherSinks) {
    logger::manager().addprefix("broken", [](std::string&) { throw std::runtime_error("prefix"); });
    logger::manager().addsink("a-broken",
                              [](const std::string&) { throw std::runtime_error("sink"); });
    Capture();
    EXPECT_NO_THROW(LOG_ERROR("still logged"));
    EXPECT_THAT(lines, ElementsAre("E still logged\n"));
}

TEST_F(Logger, TimePrefixIsCurrentLocalTimeWithMilliseconds) {
    const std::time_t before = std::time(nullptr);
    std::string text = "I message\n";
    mirl::tools::timeprefix(text);
    const std::time_t after = std::time(nullptr);

    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, Stamp)) << text;
    EXPECT_EQ(0, match.position(0)) << text;
    EXPECT_EQ(" I message\n", match.suffix().str());

    std::tm stamped = StampedTime(match);
    stamped.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&stamped);
    EXPECT_LE(before, seconds);
    EXPECT_GE(after, seconds);
}

// Sets the process time zone for one test.
class ZoneOverride {
public:
    explicit ZoneOverride(const char* zone) : environment_(new tools_testing::ScopedEnvironment) {
        environment_->set("TZ", zone);
        tools_testing::ScopedEnvironment::ReloadTimeZone();
    }
    ~ZoneOverride() {
        environment_.reset();
        tools_testing::ScopedEnvironment::ReloadTimeZone();
    }

private:
    std::unique_ptr<tools_testing::ScopedEnvironment> environment_;
};

// The instant a local time of UTC+05:30 names.
std::time_t FromIndianTime(std::tm stamped) {
#ifdef _WIN32
    return ::_mkgmtime(&stamped) - (5 * 3600 + 30 * 60);
#else
    return ::timegm(&stamped) - (5 * 3600 + 30 * 60);
#endif
}

TEST_F(Logger, TimePrefixShowsTheLocalOffsetInExtendedFormat) {
    const ZoneOverride zone("VLK-05:30"); // five and a half hours east of UTC
    const std::time_t before = std::time(nullptr);
    std::string text = "W x";
    mirl::tools::timeprefix(text);
    const std::time_t after = std::time(nullptr);

    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, Stamp)) << text;
    EXPECT_EQ(0, match.position(0)) << text;
    EXPECT_EQ("+05:30", match[7].str()) << text;
    EXPECT_EQ(" W x", match.suffix().str());

    const std::tm stamped = StampedTime(match);
    const std::time_t utc = FromIndianTime(stamped);
    EXPECT_LE(before, utc) << text;
    EXPECT_GE(after, utc) << text;
}

TEST_F(Logger, FileSinkHoldsOneStampedLinePerStatement) {
    TempFile file;
    logger::manager().addprefix("time", mirl::tools::timeprefix);
    logger::manager().addsink("file", mirl::tools::filelogsink(file.name(), true));

    LOG_INFO("Info line");
    LOG_ERROR("two\nparts");
    LOG_WARNING("last " << 3);

    const std::vector<std::string> lines = file.lines();
    ASSERT_EQ(3u, lines.size()) << file.content();
    const char* const expected[] = {"I Info line", "E two", "W last 3"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        std::smatch match;
        ASSERT_TRUE(std::regex_search(lines[i], match, Stamp));
        EXPECT_EQ(0, match.position(0));
        EXPECT_THAT(match.suffix().str(), ::testing::StartsWith(std::string(" ") + expected[i]));
    }
    EXPECT_EQ('\n', file.content().back());
}

TEST_F(Logger, FileSinkCreatesANewFileOrAppends) {
    TempFile file;
    logger::manager().addsink("file", mirl::tools::filelogsink(file.name(), true));
    EXPECT_THAT(file.lines(), IsEmpty());
    LOG_INFO("fresh");
    EXPECT_THAT(file.lines(), ElementsAre("I fresh"));

    // An existing file is never taken over by a sink that wants a new one.
    try {
        mirl::tools::filelogsink taken(file.name(), true);
        ADD_FAILURE() << "an existing file was reused";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::errc::file_exists);
    }

    logger::manager().addsink("file", mirl::tools::filelogsink(file.name(), false));
    LOG_INFO("appended");
    EXPECT_THAT(file.lines(), ElementsAre("I fresh", "I appended"));
}

TEST_F(Logger, FileSinkThatCannotOpenThrowsTheSystemsReason) {
    const std::string missing = ::testing::TempDir() + "velkor-no-such-folder/x.log";
    for (const bool createNew : {true, false}) {
        try {
            mirl::tools::filelogsink sink(missing, createNew);
            ADD_FAILURE() << "opened " << missing;
        } catch (const std::system_error& error) {
            EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
        }
    }
}

// Whatever is put at the file's name after the sink opened it (a link to
// another file, a new file) receives nothing: every line goes to the file
// the sink created.
TEST_F(Logger, FileSinkKeepsWritingToTheFileItOpened) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows renames no file that a program holds open, so nothing can be put "
                    "at its name";
#endif
    TempFile file;
    TempFile moved;
    TempFile elsewhere;
    {
        std::ofstream other(elsewhere.name());
        other << "someone else's\n";
    }
    const mirl::tools::filelogsink sink(file.name(), true);
    logger::manager().addsink("file", sink);
    LOG_INFO("first");
    ASSERT_EQ(0, std::rename(file.name().c_str(), moved.name().c_str()));
    boost::filesystem::create_symlink(elsewhere.name(), file.name());
    LOG_INFO("second");
    // A copy of the sink shares the open file.
    logger::manager().removesink("file");
    logger::manager().addsink("copy", sink);
    LOG_INFO("third");

    EXPECT_THAT(moved.lines(), ElementsAre("I first", "I second", "I third"));
    EXPECT_THAT(elsewhere.lines(), ElementsAre("someone else's"));
}

TEST_F(Logger, FileSinkNeverOpensThroughALink) {
    TempFile link;
    TempFile target;
    {
        std::ofstream other(target.name());
        other << "kept\n";
    }
    if (tools_testing::UnderWine()) {
        GTEST_SKIP() << "Wine makes Windows links of Unix ones, which its file calls follow; "
                        "this needs a real Windows machine";
    }
    boost::system::error_code error;
    boost::filesystem::create_symlink(target.name(), link.name(), error);
    if (error) {
        GTEST_SKIP() << "this system lets this user make no symbolic link: " << error.message();
    }
    for (const bool createNew : {true, false}) {
        EXPECT_THROW(mirl::tools::filelogsink(link.name(), createNew), std::system_error);
    }
    EXPECT_THAT(target.lines(), ElementsAre("kept"));
}

TEST_F(Logger, CoutSinkCopiesTheLine) {
    std::ostringstream captured;
    std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
    logger::manager().addsink("cout", mirl::tools::coutlogsink());
    LOG_WARNING("to the console");
    logger::manager().removesink("cout");
    std::cout.rdbuf(original);
    EXPECT_EQ("W to the console\n", captured.str());
}

} // namespace
