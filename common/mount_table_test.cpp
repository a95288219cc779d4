#include "common/mount_table.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

using common::MountChange;
using common::MountTable;

namespace {

const char* const Table =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "25 22 0:5 / /dev rw,nosuid shared:2 master:7 - devtmpfs udev rw,size=100k\n"
    "61 22 11:0 / /media/ann/Holiday\\0402009 ro,nosuid - iso9660 /dev/sr0 ro,uid=1000\n";

} // namespace

TEST(MountTable, ReadsIdPointTypeAndDevicePastTheOptionalFields) {
    const MountTable table = MountTable::parse(Table);
    ASSERT_EQ(table.entries().size(), 3u);
    const auto& dev = table.entries()[1];
    EXPECT_EQ(dev.id, 25);
    EXPECT_EQ(dev.point, "/dev");
    EXPECT_EQ(dev.type, "devtmpfs");
    EXPECT_EQ(dev.device, "udev");
    EXPECT_EQ(table.entries()[0].device, "/dev/sda1");
}

TEST(MountTable, UnescapesBlanksTabsLineEndsAndBackslashes) {
    const MountTable table = MountTable::parse(Table);
    EXPECT_EQ(table.entries()[2].point, "/media/ann/Holiday 2009");
    EXPECT_EQ(common::unescapeMountField("a\\011b\\012c\\134d"), "a\tb\nc\\d");
    // Not three octal digits: left as it is.
    EXPECT_EQ(common::unescapeMountField("a\\09b\\04"), "a\\09b\\04");
}

TEST(MountTable, SkipsLinesWithoutTheMountInfoForm) {
    const MountTable table = MountTable::parse("garbage\n"
                                               "x 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                               "7 1 8:1 / / rw - ext4\n"
                                               "8 1 8:1 / /a rw ext4 /dev/sda1 rw\n"
                                               "\n"
                                               "9 1 8:1 / /b rw - ext4 /dev/sdb1 rw");
    ASSERT_EQ(table.entries().size(), 1u);
    EXPECT_EQ(table.entries()[0].point, "/b");
    EXPECT_TRUE(MountTable::parse("").entries().empty());
}

TEST(MountTable, TellsUnmountsThenMountsByTheirIds) {
    const MountTable before = MountTable::parse(Table);
    const MountTable after =
        MountTable::parse("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                          "70 22 0:5 / /mnt/new rw - tmpfs tmpfs rw\n"
                          "25 22 0:5 / /dev ro,nosuid shared:2 - devtmpfs udev ro\n"
                          "62 22 11:0 / /media/ann/Holiday\\0402009 ro - iso9660 /dev/sr0 ro\n");
    const auto changes = before.changesTo(after);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].kind, MountChange::Kind::Unmounted);
    EXPECT_EQ(changes[0].entry.id, 61);
    // Another medium at the same place is another mount.
    EXPECT_EQ(changes[1].kind, MountChange::Kind::Mounted);
    EXPECT_EQ(changes[1].entry.id, 62);
    EXPECT_EQ(changes[1].entry.point, "/media/ann/Holiday 2009");
    EXPECT_EQ(changes[2].kind, MountChange::Kind::Mounted);
    EXPECT_EQ(changes[2].entry.point, "/mnt/new");
    EXPECT_TRUE(after.changesTo(after).empty());
}

TEST(MountTable, FindsTheNewestMountStackedOnAFolderFromItsFile) {
    common::testing::TempFolder folder;
    const std::string point = std::filesystem::canonical(folder.makeFolder("point")).string();
    const auto file = folder.write("mountinfo", "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                                "3 1 8:3 / " +
                                                    point +
                                                    " rw - ext4 /dev/sdc1 rw\n"
                                                    "2 1 8:2 / " +
                                                    point + " rw - vfat /dev/sdb1 rw\n");
    const MountTable table = MountTable::read(file);
    const auto mount = table.mountedAt(folder.path() / "point" / ".." / "point");
    ASSERT_TRUE(mount);
    EXPECT_EQ(mount->device, "/dev/sdc1");
    EXPECT_FALSE(table.mountedAt(folder.path() / "elsewhere"));
    EXPECT_TRUE(MountTable::read(folder.path() / "missing").entries().empty());
}

TEST(MountTable, ADriveShowsTheMountOfItsDeviceOrOfItsFolder) {
    common::testing::TempFolder folder;
    const auto point = folder.makeFolder("disc");
    const common::MountEntry mount{7, "/dev/sr0", point.string(), "iso9660"};
    EXPECT_TRUE(mount.shows("/dev/sr0"));
    EXPECT_TRUE(mount.shows(point.string() + "/"));
    EXPECT_TRUE(mount.shows((folder.path() / "disc" / ".." / "disc").string()));
    EXPECT_FALSE(mount.shows("/dev/sr1"));
    EXPECT_FALSE(mount.shows(folder.path().string()));
    EXPECT_FALSE(mount.shows(""));
}
