// Atomic writes under crashes, their temporary files, links and permissions.
#include "storage/AtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

namespace vorbix {
namespace {

namespace fs = std::filesystem;

// Sets the file's times `seconds` into the past.
void backdate(const std::string& p, int seconds) {
    const time_t then = std::time(nullptr) - seconds;
    const timespec times[2] = {{then, 0}, {then, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("atomic-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::string> temporaries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            const std::string name = entry.path().filename().string();
            if (isTemporaryFileName(name)) names.push_back(name);
        }
        return names;
    }
    static unsigned modeOf(const std::string& p) {
        struct stat st {};
        return ::stat(p.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0u;
    }

    fs::path dir_;
};

// A process that saves one of two contents in a loop is killed at random moments: the file is
// always one of the contents whole, and the start step leaves no temporary file behind.
void killWhileSaving(const std::string& file, const WriteOptions& options,
                     const std::function<std::vector<std::string>()>& temporaries,
                     const std::string& folder, bool temporariesMayBeYoung) {
    const std::string first(64 * 1024, 'a');
    const std::string second = std::string(32 * 1024, 'b') + "\r\nend";
    ASSERT_TRUE(writeFileAtomically(file, first));
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    for (int round = 0; round < 150; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                (void)writeFileAtomically(file, i % 2 ? first : second, options);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const std::optional<std::string> now = readWholeFile(file);
        ASSERT_TRUE(now && (*now == first || *now == second))
            << "round " << round << ": " << (now ? now->size() : 0) << " bytes";
        // Named temporaries count as stale after a minute: the next start a minute later.
        if (temporariesMayBeYoung) {
            for (const std::string& name : temporaries()) backdate(folder + "/" + name, 120);
        }
        removeStaleTemporaries(folder);
        ASSERT_TRUE(temporaries().empty()) << "round " << round;
    }
}

TEST_F(AtomicWrite, KilledSavesLeaveTheOldOrTheNewFileAndNothingElse) {
    killWhileSaving(
        path("HotKeys.hkv"), {}, [this] { return temporaries(); }, dir_.string(), false);
}

TEST_F(AtomicWrite, KilledSavesWithNamedTemporariesAreClearedOnceStale) {
    killWhileSaving(
        path("HotKeys.hkv"), WriteOptions{.unnamedTemporary = false},
        [this] { return temporaries(); }, dir_.string(), true);
}

// Without the flush to disk (the list of hidden windows) a killed save still leaves one whole
// content: only a crash of the whole system may lose the write.
TEST_F(AtomicWrite, KilledSavesWithoutFlushingLeaveTheOldOrTheNewFile) {
    killWhileSaving(
        path("HiddenWindows.txt"), WriteOptions{.flushToDisk = false},
        [this] { return temporaries(); }, dir_.string(), false);
}

TEST_F(AtomicWrite, OnlyOrphanedTemporariesAreRemoved) {
    auto make = [&](const std::string& name) {
        const int fd = ::open(path(name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
        EXPECT_GE(fd, 0);
        return fd;
    };
    // Orphaned: a linked temporary nobody holds, a named one older than a minute.
    ::close(make(".vorbix-link-Ab3dE9"));
    ::close(make(".vorbix-Qw12er"));
    backdate(path(".vorbix-Qw12er"), 120);
    // Still in use or too young to tell, and names that are not ours.
    const int held = make(".vorbix-link-Zz9999");
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const int heldNamed = make(".vorbix-Held01");
    ASSERT_EQ(::flock(heldNamed, LOCK_EX), 0);
    backdate(path(".vorbix-Held01"), 120);
    ::close(make(".vorbix-Young1"));
    for (const char* other : {".vorbix-toolong7", ".vorbix-ab", "vorbix-Qw12er", "Config.ini"}) {
        ::close(make(other));
        backdate(path(other), 120);
    }
    fs::create_directory(path(".vorbix-Dir001"));
    EXPECT_EQ(removeStaleTemporaries(dir_.string()), 2u);
    EXPECT_FALSE(fs::exists(path(".vorbix-link-Ab3dE9")));
    EXPECT_FALSE(fs::exists(path(".vorbix-Qw12er")));
    for (const char* kept :
         {".vorbix-link-Zz9999", ".vorbix-Held01", ".vorbix-Young1", ".vorbix-toolong7",
          ".vorbix-ab", "vorbix-Qw12er", "Config.ini", ".vorbix-Dir001"}) {
        EXPECT_TRUE(fs::exists(path(kept))) << kept;
    }
    ::close(held);
    ::close(heldNamed);
    EXPECT_EQ(removeStaleTemporaries(path("missing")), 0u);
}

TEST_F(AtomicWrite, EveryWayOfWritingLeavesNoTemporaryAndKeepsOldOnFailure) {
    for (bool unnamed : {true, false}) {
        const WriteOptions options{.unnamedTemporary = unnamed};
        ASSERT_TRUE(writeFileAtomically(path("f.ini"), "one", options));
        ASSERT_TRUE(writeFileAtomically(path("f.ini"), "two", options));
        EXPECT_EQ(readWholeFile(path("f.ini")), "two");
        // A read-only file is not replaced (root may write anyway).
        ASSERT_EQ(::chmod(path("f.ini").c_str(), 0444), 0);
        const FileResult readOnly = writeFileAtomically(path("f.ini"), "three", options);
        if (::geteuid() != 0) {
            EXPECT_FALSE(readOnly.ok);
            EXPECT_EQ(readWholeFile(path("f.ini")), "two");
        }
        ASSERT_EQ(::chmod(path("f.ini").c_str(), 0644), 0);
        EXPECT_TRUE(temporaries().empty()) << unnamed;
    }
}

TEST_F(AtomicWrite, ModesOfNewAndReplacedFiles) {
    const WriteOptions privately{.mode = kPrivateFileMode};
    const WriteOptions worldReadable{.mode = 0644, .modeForNewFileOnly = false};
    const mode_t previous = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(path("new.hkv"), "x", privately));
    EXPECT_EQ(modeOf(path("new.hkv")), 0600u);
    // An existing file keeps its mode unless the mode is meant for every write.
    ASSERT_EQ(::chmod(path("new.hkv").c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path("new.hkv"), "y", privately));
    EXPECT_EQ(modeOf(path("new.hkv")), 0640u);
    ASSERT_EQ(::chmod(path("new.hkv").c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(path("new.hkv"), "z", worldReadable));
    EXPECT_EQ(modeOf(path("new.hkv")), 0644u);
    // The explicit mode is not narrowed by the creation mask.
    ::umask(077);
    ASSERT_TRUE(writeFileAtomically(path("policy.ini"), "p", worldReadable));
    EXPECT_EQ(modeOf(path("policy.ini")), 0644u);
    ::umask(previous);
}

TEST_F(AtomicWrite, LinksAreFollowedOnlyToTheUsersOwnFiles) {
    fs::create_directory(path("elsewhere"));
    ASSERT_TRUE(writeFileAtomically(path("elsewhere/own.hkv"), "old"));
    ASSERT_EQ(::symlink("elsewhere/own.hkv", path("own-link.hkv").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(path("own-link.hkv"), "new"));
    EXPECT_EQ(readWholeFile(path("elsewhere/own.hkv")), "new");
    EXPECT_TRUE(fs::is_symlink(path("own-link.hkv")));

    // Giving files away needs root; elsewhere the refusal cannot be set up.
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make files of another user";
    constexpr uid_t kNobody = 65534;
    ASSERT_TRUE(writeFileAtomically(path("elsewhere/theirs.conf"), "theirs"));
    ASSERT_EQ(::chown(path("elsewhere/theirs.conf").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::symlink("elsewhere/theirs.conf", path("to-theirs.hkv").c_str()), 0);
    const FileResult toTheirs = writeFileAtomically(path("to-theirs.hkv"), "planted");
    EXPECT_FALSE(toTheirs.ok);
    EXPECT_NE(toTheirs.error.find("another user"), std::string::npos) << toTheirs.error;
    EXPECT_EQ(readWholeFile(path("elsewhere/theirs.conf")), "theirs");
    EXPECT_TRUE(fs::is_symlink(path("to-theirs.hkv")));

    // A link another user planted, even to a file of our own, is not followed either.
    ASSERT_EQ(::symlink("elsewhere/own.hkv", path("planted.hkv").c_str()), 0);
    ASSERT_EQ(::lchown(path("planted.hkv").c_str(), kNobody, kNobody), 0);
    EXPECT_FALSE(writeFileAtomically(path("planted.hkv"), "x").ok);
    EXPECT_EQ(readWholeFile(path("elsewhere/own.hkv")), "new");
    EXPECT_TRUE(temporaries().empty());
}

}  // namespace
}  // namespace vorbix
