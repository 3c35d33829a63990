#include "bench/store/atomic_file.h"
#include "bench/store/bench_error.h"
#include "bench/store/bench_store.h"
#include "bench/testing/error_of.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/scratch_bench.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velkor {
namespace bench {
namespace {

namespace fs = boost::filesystem;
using ::testing::ElementsAre;
using testing::ErrorOf;
using ::testing::HasSubstr;

// A factory bench, for a root that acts as other users.
class FileOwnerTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "POSIX owners; on Windows the bench lives in the user's own profile";
#else
        if (::geteuid() != 0) {
            GTEST_SKIP() << "only root can hand files to another user or act as one";
        }
        store.init(false);
#endif
    }

    testing::ScratchBench scratch;
    BenchStore store{scratch.root()};
};

#ifndef _WIN32

const uid_t Nobody = 65534;

// Gives the bench folder and everything in it to `uid`.
void GiveBench(const fs::path& bench, uid_t uid) {
    ASSERT_EQ(0, ::lchown(bench.c_str(), uid, uid));
    for (fs::recursive_directory_iterator it(bench), end; it != end; ++it) {
        ASSERT_EQ(0, ::lchown(it->path().c_str(), uid, uid)) << it->path();
    }
}

// The entries of the bench (itself included) that do not belong to `uid`.
std::vector<std::string> NotOwnedBy(const fs::path& bench, uid_t uid) {
    std::vector<std::string> others;
    struct stat status;
    for (fs::recursive_directory_iterator it(bench), end; it != end; ++it) {
        if (::lstat(it->path().c_str(), &status) == 0 && status.st_uid != uid) {
            others.push_back(it->path().string());
        }
    }
    return others;
}

// This process acts as another user (its effective ids) while it lives, as
// a run of that user would.
class AsUser : private boost::noncopyable {
public:
    explicit AsUser(uid_t uid) {
        EXPECT_EQ(0, ::setegid(uid));
        EXPECT_EQ(0, ::seteuid(uid));
    }
    ~AsUser() {
        EXPECT_EQ(0, ::seteuid(0));
        EXPECT_EQ(0, ::setegid(0));
    }
};

// A run as root on a user's bench, even one that only reads, leaves every
// file the user's, with its mode: the user goes on using the bench.
TEST_F(FileOwnerTest, ARunAsRootLeavesTheBenchItsOwners) {
    fs::remove(scratch.root() / "lock");
    GiveBench(scratch.root(), Nobody);

    store.find("7380");
    store.open("7380");
    store.open("6080MV")->writeSsidAndPassword("WARD-7", "password-1");
    store.plug("COM9", "");
    store.add(*BenchModel::Find("7380"), "10.0.37.150", boost::none, boost::none);
    EXPECT_THAT(NotOwnedBy(scratch.root(), Nobody), ElementsAre());
    const fs::path record = testing::FolderOfDetector(scratch.root(), "6080MV") / "detector.json";
    EXPECT_EQ(fs::owner_read | fs::owner_write, fs::symlink_status(record).permissions());
    EXPECT_EQ(fs::owner_read | fs::owner_write | fs::group_read | fs::others_read,
              fs::symlink_status(scratch.root() / "bench.json").permissions());

    const AsUser owner(Nobody);
    EXPECT_EQ("no error", ErrorOf([&] { store.open("7380")->reboot(); }));
    EXPECT_EQ("no error", ErrorOf([&] { store.open("6080MV")->setHostName("WORKSTATION"); }));
    EXPECT_EQ("no error", ErrorOf([&] { store.remove("7380-2"); }));
    EXPECT_EQ("no error", ErrorOf([&] { store.init(true); }));
    EXPECT_EQ(7u, store.detectors().size());
}

// On a bench that belongs to someone else (its folders writable by all, as
// a shared folder's may be), another user changes nothing and leaves no file,
// and is told whose the bench is.
TEST_F(FileOwnerTest, AnotherUserChangesNothingOfTheBenchAndIsToldWhose) {
    store.open("6080MV");
    store.open("6080QL");
    for (fs::recursive_directory_iterator it(scratch.root()), end; it != end; ++it) {
        const bool folder = fs::is_directory(it->symlink_status());
        if (folder || it->path().filename() == "lock") {
            fs::permissions(it->path(), folder ? fs::all_all : fs::perms(0644));
        }
    }
    fs::permissions(scratch.root(), fs::all_all);
    fs::permissions(scratch.root() / "lock", fs::perms(0666));
    const fs::path ql = testing::FolderOfDetector(scratch.root(), "6080QL");
    fs::permissions(ql / "lock", fs::perms(0666));
    fs::permissions(ql / "detector.json", fs::perms(0644));
    const std::string qlRecord = atomic_file::ReadText(ql / "detector.json");
    const std::string catalogue = atomic_file::ReadText(scratch.root() / "bench.json");
    const std::string whose = " belongs to user root (uid 0): only that user, or root, may change "
                              "the bench's files in it";
    const fs::path mv = testing::FolderOfDetector(scratch.root(), "6080MV");
    const fs::path tw = testing::FolderOfDetector(scratch.root(), "7380TW");
    fs::remove(tw / "lock"); // a run that only reads would make it
    {
        const AsUser other(Nobody);
        EXPECT_EQ(tw.string() + whose, ErrorOf([&] { store.open("7380TW"); }));
        EXPECT_EQ("cannot open the lock file " + (mv / "lock").string() +
                      ": Permission denied (it belongs to user root (uid 0))",
                  ErrorOf([&] { store.open("6080MV"); }));
        EXPECT_THAT(
            ErrorOf([&] { store.find("6080MV"); }),
            HasSubstr("detector.json: Permission denied (it belongs to user root (uid 0))"));
        EXPECT_EQ(ql.string() + whose,
                  ErrorOf([&] { store.open("6080QL")->setHostName("WORKSTATION"); }));
        EXPECT_EQ(scratch.root().string() + whose, ErrorOf([&] { store.plug("COM9", ""); }));
        EXPECT_THAT(ErrorOf([&] {
                        store.add(*BenchModel::Find("7380"), "10.0.37.150", boost::none,
                                  boost::none);
                    }),
                    HasSubstr(whose));
    }
    EXPECT_THAT(NotOwnedBy(scratch.root(), 0), ElementsAre());
    EXPECT_FALSE(fs::exists(tw / "lock"));
    EXPECT_EQ(qlRecord, atomic_file::ReadText(ql / "detector.json"));
    EXPECT_EQ(catalogue, atomic_file::ReadText(scratch.root() / "bench.json"));
}

#else

// Skipped by the fixture.
TEST_F(FileOwnerTest, ARunAsRootLeavesTheBenchItsOwners) {}
TEST_F(FileOwnerTest, AnotherUserChangesNothingOfTheBenchAndIsToldWhose) {}

#endif

} // namespace
} // namespace bench
} // namespace velkor
