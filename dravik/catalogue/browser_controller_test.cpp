#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/catalogue/file_list_entry.h"
#include "dravik/controls/control_names.h"
#include "dravik/controls/control_tag.h"
#include "dravik/testing/main_window_fixture.h"

#include <QListWidget>

using common::ui::Buttons;
using common::ui::Icon;
namespace FileListEntry = dravik::catalogue::FileListEntry;
using dravik::window::MainWindow;
namespace Control = dravik::controls::Control;

class Browsing : public dravik::testing::MainWindowFixture {};

TEST_F(Browsing, FileListEntryRule) {
    EXPECT_EQ(FileListEntry::of("song.mp3"), "mp3 song.mp3");
    EXPECT_EQ(FileListEntry::of("notes.txt"), "txt notes.txt");
    EXPECT_EQ(FileListEntry::of("archive.tar.gz"), "archive.tar.gz");
    EXPECT_EQ(FileListEntry::of("a.js"), "a.js");
    EXPECT_EQ(FileListEntry::of("movie.mpeg"), "movie.mpeg");
    EXPECT_EQ(FileListEntry::of("README"), "README");
    EXPECT_EQ(FileListEntry::of(".mp3"), "mp3 .mp3");
    // Read back: the key and the file of an entry, with or without the key in front.
    EXPECT_EQ(FileListEntry::key("mp3 song.mp3"), "mp3");
    EXPECT_EQ(FileListEntry::fileName("mp3 song.mp3"), "song.mp3");
    EXPECT_EQ(FileListEntry::key("movie.mpeg"), "mpe");
    EXPECT_EQ(FileListEntry::key("a.js"), "js");
    EXPECT_EQ(FileListEntry::key("README"), "");
    EXPECT_EQ(FileListEntry::fileName("archive.tar.gz"), "archive.tar.gz");
    EXPECT_FALSE(FileListEntry::hasKey("abc def.ghi")); // looks like one, is a bare name
    EXPECT_EQ(FileListEntry::fileName("abc def.ghi"), "abc def.ghi");
}

TEST_F(Browsing, MainBrowserFillsTheLaunchList) {
    root.write("disc/Music/song.mp3", "");
    root.write("disc/Music/notes.txt", "");
    root.write("disc/Music/archive.tar.gz", "");
    root.makeFolder("disc/Music/Sub");
    MainWindow& w = start({"E"});
    auto* files = find<QListWidget>(Control::LaunchList);
    EXPECT_EQ(files->count(), 0);
    find<common::ui::FolderListBox>(Control::Folders)->setPath(disc / "Music");
    ASSERT_EQ(files->count(), 3);
    EXPECT_EQ(files->item(0)->text(), "archive.tar.gz");
    EXPECT_EQ(files->item(1)->text(), "txt notes.txt");
    EXPECT_EQ(files->item(2)->text(), "mp3 song.mp3");
    EXPECT_EQ(w.workspace().browseFolder, (disc / "Music").string() + "/");
    emit files->itemClicked(files->item(2));
    EXPECT_EQ(w.workspace().currentExtension, "mp3");
}

TEST_F(Browsing, DriveChoiceMovesTheFolderListOrReportsTheDrive) {
    root.makeFolder("disc/Photos");
    start();
    auto* drives = find<common::ui::DriveListBox>(Control::Drives);
    drives->setCurrentIndex(drives->findData(QChar('E')));
    emit drives->activated(drives->currentIndex());
    EXPECT_EQ(find<common::ui::FolderListBox>(Control::Folders)->path(), disc);
    std::filesystem::remove_all(disc);
    dialogs.expectMessage({},
                          QString("Drive1_Change(0)-(68)\nDrive E: ") +
                              QString::fromStdString(disc.string()) + " cannot be read",
                          Buttons::Ok, Icon::None, 1);
    emit drives->activated(drives->currentIndex());
    EXPECT_EQ(drives->drive(), "e:");
}

TEST_F(Browsing, ProgramAndReportPickers) {
    root.write("home/bin/setup.exe", "");
    root.write("home/bin/notes.txt", "");
    const auto tool = root.write("home/bin/tool", "");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    root.write("data/QReport/first.rtf", "");
    root.write("data/QReport/other.txt", "");
    start();
    auto* drives = find<common::ui::DriveListBox>(Control::PickerDrives);
    drives->setDrive("c");
    EXPECT_EQ(find<common::ui::FolderListBox>(Control::PickerFolders)->path(), home);
    find<common::ui::FolderListBox>(Control::PickerFolders)->setPath(home / "bin");
    EXPECT_EQ(find<common::ui::FileListBox>(Control::PickerFiles)->names(),
              (QStringList{"setup.exe", "tool"}));
    find<common::ui::FolderListBox>(Control::ReportFolders)->setPath(data / "QReport");
    EXPECT_EQ(find<common::ui::FileListBox>(Control::ReportFiles)->names(),
              QStringList{"first.rtf"});
}
