#include "bench/store/atomic_file.h"
#include "bench/store/bench_store.h"
#include "bench/testing/error_of.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/scratch_bench.h"
#include "bench/text/bench_error.h"

#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;
using testing::ErrorOf;
using ::testing::HasSubstr;

void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file.string()) << text;
}

// Only the bench's own kind of entry goes when a structural command drops
// the leftovers of detectors/: folders named as it names them, its
// temporary files. Whatever else is there stays.
TEST(DetectorFoldersTest, LeftoversAreOnlyTheBenchsOwnKindOfEntry) {
    testing::ScratchBench scratch;
    BenchStore store(scratch.root());
    store.init(false);
    const fs::path detectors = scratch.root() / "detectors";
    const struct {
        const char* name;
        bool folder;
        bool dropped;
    } entries[] = {
        {"7380.0a1b2c3d", true, true},
        {"7380-2_x.deadbeef", true, true},
        {"7380.DEADBEEF", true, false},
        {"7380.0a1b2c3", true, false},
        {"Documents", true, false},
        {".detector.json.tmp-Ab12Cd", false, true},
        {".bench.json.tmp-12345678", false, true},
        {".bashrc", false, false},
        {"notes.txt", false, false},
        {"7380.0a1b2c3e", false, false},
    };
    for (const auto& entry : entries) {
        if (entry.folder) {
            fs::create_directories(detectors / entry.name / "inside");
        } else {
            Write(detectors / entry.name, "kept by someone");
        }
    }
    store.add(*BenchModel::Find("7380"), "10.0.37.150", boost::none, boost::none);
    for (const auto& entry : entries) {
        EXPECT_EQ(!entry.dropped, fs::exists(detectors / entry.name)) << entry.name;
    }
    EXPECT_EQ(8u, store.detectors().size());
}

#ifndef _WIN32

// Every entry below `folder` (links not followed), with the content of files.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (fs::recursive_directory_iterator it(folder), end; it != end; ++it) {
        const std::string name = it->path().string().substr(folder.string().size());
        contents[name] = fs::is_regular_file(it->symlink_status())
                             ? atomic_file::ReadText(it->path())
                             : std::string(fs::is_symlink(it->symlink_status()) ? "link" : "");
    }
    return contents;
}

// A place outside the bench, with what a user keeps there.
struct Home {
    explicit Home(const fs::path& dir) : path(dir / "home") {
        fs::create_directories(path / "Documents");
        Write(path / "Documents" / "letter.txt", "dear");
        Write(path / ".bashrc", "alias ll='ls -l'");
        fs::create_directories(path / "7380.0a1b2c3d");
    }
    fs::path path;
};

struct Step {
    const char* what;
    std::function<void(BenchStore&)> action;
    bool refused; // with the link's LinkText
};

struct LinkCase {
    const char* name;
    // Puts a link to the home (or a file of it) in place of an entry of the
    // bench; gives the link's path.
    std::function<fs::path(const fs::path& bench, const fs::path& home)> place;
    std::vector<Step> steps;
};

fs::path Replace(const fs::path& entry, const fs::path& target) {
    fs::remove_all(entry);
    fs::create_symlink(target, entry);
    return entry;
}

Step Refused(const char* what, std::function<void(BenchStore&)> action) {
    return Step{what, std::move(action), true};
}

Step Done(const char* what, std::function<void(BenchStore&)> action) {
    return Step{what, std::move(action), false};
}

std::vector<LinkCase> LinkCases() {
    const auto init = [](BenchStore& store) { store.init(true); };
    const auto add = [](BenchStore& store) {
        store.add(*BenchModel::Find("7180"), "10.0.37.150", boost::none, boost::none);
    };
    const auto remove = [](BenchStore& store) { store.remove("7380"); };
    const auto plug = [](BenchStore& store) { store.plug("COM9", ""); };
    const auto open = [](BenchStore& store) { store.open("7380"); };
    const auto find = [](BenchStore& store) { store.find("7380"); };
    const auto list = [](BenchStore& store) { store.modules(); };
    return {
        {"detectors/",
         [](const fs::path& bench, const fs::path& home) {
             return Replace(bench / "detectors", home);
         },
         {Refused("init --force", init), Refused("add", add), Refused("remove", remove),
          Refused("plug", plug), Refused("open", open), Refused("find", find)}},
        {"a detector's folder",
         [](const fs::path& bench, const fs::path& home) {
             return Replace(testing::FolderOfDetector(bench, "7380"), home);
         },
         {Refused("open", open), Refused("find", find), Done("add", add), Done("remove", remove),
          Done("init --force", init)}},
        {"the bench's lock",
         [](const fs::path& bench, const fs::path& home) {
             return Replace(bench / "lock", home / ".bashrc");
         },
         {Refused("plug", plug), Refused("add", add), Refused("init --force", init),
          Done("open", open)}},
        {"the bench's lock, naming a missing file",
         [](const fs::path& bench, const fs::path& home) {
             return Replace(bench / "lock", home / "missing");
         },
         {Refused("plug", plug), Refused("remove", remove)}},
        {"a detector's lock",
         [](const fs::path& bench, const fs::path& home) {
             return Replace(testing::FolderOfDetector(bench, "7380") / "lock", home / ".bashrc");
         },
         {Refused("open", open), Done("add", add), Done("remove", remove)}},
        {"a detector's lock, naming a missing file",
         [](const fs::path& bench, const fs::path& home) {
             return Replace(testing::FolderOfDetector(bench, "7380") / "lock", home / "missing");
         },
         {Refused("open", open), Done("init --force", init)}},
        {"bench.json",
         [](const fs::path& bench, const fs::path& home) {
             Write(home / "bench.json", atomic_file::ReadText(bench / "bench.json"));
             return Replace(bench / "bench.json", home / "bench.json");
         },
         {Refused("list", list), Refused("plug", plug), Refused("add", add),
          Refused("init --force", init)}},
        {"detector.json",
         [](const fs::path& bench, const fs::path& home) {
             const fs::path folder = testing::FolderOfDetector(bench, "7380");
             Write(home / "detector.json", atomic_file::ReadText(folder / "detector.json"));
             return Replace(folder / "detector.json", home / "detector.json");
         },
         {Refused("find", find), Refused("open", open), Done("remove", remove)}},
    };
}

// The bench follows no link it did not make: a command that would go
// through one is refused with the reason, and nothing is removed or created
// where the link points; one that can do without it leaves it alone.
TEST(DetectorFoldersTest, ALinkInPlaceOfAnEntryOfTheBenchIsNeverFollowed) {
    for (const LinkCase& c : LinkCases()) {
        SCOPED_TRACE(c.name);
        testing::ScratchBench scratch;
        BenchStore store(scratch.root());
        store.init(false);
        const Home home(scratch.dir());
        const fs::path link = c.place(scratch.root(), home.path);
        const auto before = Contents(home.path);
        for (const Step& step : c.steps) {
            const std::string error = ErrorOf([&] { step.action(store); });
            if (step.refused) {
                EXPECT_THAT(error, HasSubstr(LinkText(link))) << step.what;
            } else {
                EXPECT_EQ("no error", error) << step.what;
            }
            EXPECT_EQ(before, Contents(home.path)) << step.what;
        }
        EXPECT_TRUE(fs::is_symlink(link) || !fs::exists(link.parent_path()));
    }
}

#else

TEST(DetectorFoldersTest, ALinkInPlaceOfAnEntryOfTheBenchIsNeverFollowed) {
    GTEST_SKIP() << "symbolic links: Wine follows its own";
}

#endif

} // namespace
} // namespace bench
} // namespace velkor
