#include "common/file_lock.h"

#include "common/error.h"
#include "common/open_file_limit.h"
#include "common/settings_store.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using common::FileLock;
using common::testing::TempFolder;

TEST(FileLock, OneHolderAtATimeOnAFileOrAFolder) {
    TempFolder dir;
    for (const auto& path : {dir / "settings.ini.lock", dir.path()}) {
        FileLock first;
        FileLock second;
        ASSERT_TRUE(first.acquire(path));
        EXPECT_FALSE(second.acquire(path));
        EXPECT_FALSE(second.acquire(path, std::chrono::milliseconds(20))); // waited, in vain
        first.release();
        EXPECT_TRUE(second.acquire(path));
        EXPECT_FALSE(first.acquire(path));
    }
    EXPECT_THROW((void)FileLock().acquire(dir / "no" / "x.lock"), common::Error);
}

TEST(FileLock, AKilledHolderLeavesNoStaleLock) {
    TempFolder dir;
    const auto path = dir / "settings.ini.lock";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        FileLock held;
        const char c = held.acquire(path) ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    FileLock mine;
    EXPECT_FALSE(mine.acquire(path));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(mine.acquire(path));
    ::close(ready[0]);
    ::close(ready[1]);

    // The settings store waits for the lock rather than losing a write.
    common::SettingsStore store(QStringLiteral("Lock Test"));
    FileLock other;
    ASSERT_TRUE(other.acquire(store.file().string() + ".lock"));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        other.release();
    });
    store.setValue(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                   common::TextWriter::Durability::Process);
    release.join();
    EXPECT_EQ(store.value(QStringLiteral("A"), QStringLiteral("B")), "C");
}

TEST(OpenFileLimit, TheSoftLimitIsRaisedToTheHardOne) {
    struct rlimit before {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    struct rlimit lowered = before;
    lowered.rlim_cur = std::min<rlim_t>(before.rlim_max, 200);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    EXPECT_EQ(common::OpenFileLimit::soft(), lowered.rlim_cur);
    const std::size_t raised = common::OpenFileLimit::raiseToHard();
    EXPECT_EQ(raised, common::OpenFileLimit::soft());
    if (before.rlim_max != RLIM_INFINITY) {
        EXPECT_EQ(raised, before.rlim_max);
    }
    ::setrlimit(RLIMIT_NOFILE, &before);
    EXPECT_GT(common::OpenFileLimit::inUse(), 2u); // at least the standard three
}
