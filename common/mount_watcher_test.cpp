#include "common/mount_watcher.h"

#include "common/testing/child_process.h"
#include "common/testing/temp_folder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

using common::MountChange;
using common::MountWatcher;

namespace {

// A shell in a user and mount namespace of its own that mounts and unmounts a tmpfs when told,
// so a test changes a real mount table without any rights. It answers each order with a line.
class MountingShell {
public:
    explicit MountingShell(const std::filesystem::path& point) {
        int orders[2], replies[2];
        if (::pipe2(orders, O_CLOEXEC) != 0 || ::pipe2(replies, O_CLOEXEC) != 0)
            return;
        const std::string script =
            "echo ready $$; while read order; do case $order in "
            "mount) mount -t tmpfs -o size=64k 'dravik disc' \"$1\" && echo done || echo failed;; "
            "umount) umount \"$1\" && echo done || echo failed;; esac; done";
        child_.emplace(std::vector<std::string>{"/usr/bin/unshare", "-rm", "/bin/sh", "-c", script,
                                                "sh", point.string()},
                       [&] {
                           ::dup2(orders[0], 0);
                           ::dup2(replies[1], 1);
                       });
        ::close(orders[0]);
        ::close(replies[1]);
        orders_.reset(orders[1]);
        replies_.reset(replies[0]);
    }
    ~MountingShell() {
        orders_.reset(); // the shell's read ends, and so does the shell
        if (child_)
            child_->wait();
    }

    // The shell's process, once it runs in its namespace; nothing when no namespace could be made.
    std::optional<int> pid() {
        const std::string line = reply();
        if (line.rfind("ready ", 0) != 0)
            return std::nullopt;
        return std::stoi(line.substr(6));
    }
    bool order(const std::string& what) {
        const std::string line = what + "\n";
        return ::write(orders_.get(), line.data(), line.size()) == ssize_t(line.size()) &&
               reply() == "done";
    }

private:
    std::string reply() {
        std::string line;
        char c = 0;
        while (::read(replies_.get(), &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    std::optional<common::testing::ChildProcess> child_;
    common::FileDescriptor orders_, replies_;
};

// Lets the event loop look at the watcher's descriptor a few times; the kernel has flagged the
// change before the shell answered, so the first look finds it.
void deliverEvents() {
    for (int trial = 0; trial < 3; ++trial)
        QCoreApplication::processEvents();
}

} // namespace

TEST(MountWatcher, ReadsTheTableItWatches) {
    const MountWatcher watcher;
    ASSERT_TRUE(watcher.watching());
    EXPECT_FALSE(watcher.table().entries().empty());
}

TEST(MountWatcher, WatchesNothingWhenTheTableIsMissing) {
    const common::testing::TempFolder folder;
    const MountWatcher watcher(folder / "no such table");
    EXPECT_FALSE(watcher.watching());
    EXPECT_TRUE(watcher.table().entries().empty());
}

TEST(MountWatcher, SignalsEachMountAndUnmountAsItHappens) {
    const common::testing::TempFolder folder;
    const auto point = folder.makeFolder("drive");
    MountingShell shell(point);
    const std::optional<int> pid = shell.pid();
    if (!pid)
        GTEST_SKIP() << "no user and mount namespace can be made here";
    MountWatcher watcher("/proc/" + std::to_string(*pid) + "/mountinfo");
    ASSERT_TRUE(watcher.watching());
    std::vector<MountChange> seen;
    QObject::connect(&watcher, &MountWatcher::changed,
                     [&](const MountChange& change) { seen.push_back(change); });
    deliverEvents();
    EXPECT_TRUE(seen.empty());

    if (!shell.order("mount"))
        GTEST_SKIP() << "a tmpfs cannot be mounted in a namespace here";
    deliverEvents();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, MountChange::Kind::Mounted);
    EXPECT_EQ(seen[0].entry.point, point.string());
    EXPECT_EQ(seen[0].entry.device, "dravik disc");
    EXPECT_EQ(seen[0].entry.type, "tmpfs");

    ASSERT_TRUE(shell.order("umount"));
    deliverEvents();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].kind, MountChange::Kind::Unmounted);
    EXPECT_EQ(seen[1].entry.id, seen[0].entry.id);
}
