#include "common/error.h"
#include "common/testing/temp_folder.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using common::testing::TempFolder;
namespace ui = common::ui;

TEST(BrowseControls, DriveListFollowsTheTable) {
    TempFolder dir;
    common::DriveTable table;
    table.set('C', dir.path().string());
    table.set('E', (dir / "nothing-here").string());
    ui::DriveListBox drives(table);
    ASSERT_EQ(drives.count(), 2);
    EXPECT_EQ(drives.itemText(0), "c:");
    QSignalSpy changed(&drives, &ui::DriveListBox::driveChanged);
    drives.setDrive("c:\\");
    EXPECT_EQ(drives.letter(), 'C');
    EXPECT_EQ(changed.count(), 1);
    try {
        drives.setDrive("e");
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 68);
    }
    EXPECT_EQ(drives.drive(), "e:");
    EXPECT_THROW(drives.setDrive("q"), common::Error);
}

TEST(BrowseControls, FolderListShowsChainAndSubfolders) {
    TempFolder dir;
    dir.makeFolder("disc/Music/Rock");
    dir.makeFolder("disc/Photos");
    ui::FolderListBox folders;
    QSignalSpy changed(&folders, &ui::FolderListBox::pathChanged);
    folders.setPath(dir / "disc" / "Music", dir / "disc");
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(folders.count(), 3); // disc, Music, Rock
    EXPECT_EQ(folders.item(1)->text(), "  Music");
    EXPECT_EQ(folders.item(2)->text(), "    Rock");
    emit folders.itemActivated(folders.item(0));
    EXPECT_EQ(folders.path(), dir / "disc");
    EXPECT_EQ(folders.count(), 3); // disc, Music, Photos
    try {
        folders.setPath(dir / "disc" / "gone");
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
}

TEST(BrowseControls, FileListPatternsAndExecutables) {
    TempFolder dir;
    dir.write("b.rtf", "");
    dir.write("A.RTF", "");
    dir.write("c.txt", "");
    const auto tool = dir.write("tool", "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    dir.write("setup.exe", "");
    ui::FileListBox files;
    files.setPattern("*.rtf");
    files.setFolder(dir.path());
    EXPECT_EQ(files.names(), (QStringList{"A.RTF", "b.rtf"}));
    files.setPattern("*.exe;*.com;*.bat");
    EXPECT_EQ(files.names(), (QStringList{"setup.exe"}));
    files.setIncludeExecutables(true);
    files.refresh();
    EXPECT_EQ(files.names(), (QStringList{"setup.exe", "tool"}));
    EXPECT_THROW(files.setFolder(dir / "none"), common::Error);
}

TEST(BrowseControls, FileListShowsNamesDecodedAndKeepsTheirBytes) {
    TempFolder dir;
    dir.write("D\xe9mo.rtf", "x\r\n");
    dir.write("caf\xc3\xa9.rtf", "x\r\n");
    ui::FileListBox files;
    files.setPattern("*.rtf");
    files.setFolder(dir.path());
    EXPECT_EQ(files.names(), (QStringList{QString::fromUtf8("caf\xc3\xa9.rtf"),
                                          QString::fromUtf8("D\xc3\xa9mo.rtf")}));
    EXPECT_EQ(files.filePath(0), dir / "caf\xc3\xa9.rtf");
    EXPECT_EQ(files.filePath(1), dir / "D\xe9mo.rtf");
}
