#include "common/drive_table.h"
#include "common/error.h"
#include "common/settings_store.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using common::SettingsStore;
using common::testing::TempFolder;

namespace {
struct SettingsFolder {
    TempFolder dir;
    common::testing::ScopedVariable variable{"DRAVIK_SETTINGS_DIR", dir.path().c_str()};
};
} // namespace

TEST(SettingsStore, ApplicationSectionAndKeyMatchWithoutCase) {
    SettingsFolder folder;
    SettingsStore("Dravik 2016").setValue("Form_Load", "Def DPath", "/data/discs/");
    SettingsStore reader("DRAVIK 2016");
    EXPECT_EQ(reader.value("FORM_LOAD", "def dpath"), "/data/discs/");
    EXPECT_EQ(reader.value("Form_Load", "missing", "fallback"), "fallback");
    EXPECT_EQ(reader.file().filename(), "dravik 2016.ini");
    // Writing through another spelling updates the one entry.
    SettingsStore("dravik 2016").setValue("form_load", "DEF DPATH", "/other/");
    EXPECT_EQ(reader.value("Form_Load", "Def DPath"), "/other/");
    EXPECT_EQ(reader.keys("Form_Load").size(), 1);
}

TEST(SettingsStore, OddTextsRoundTrip) {
    SettingsFolder folder;
    SettingsStore s("Dravik");
    const QString section = "Disc [1] = 100%";
    s.setValue(section, "Size", "a=b\r\nc");
    s.setValue("Other", "Key=1", "x");
    SettingsStore again("Dravik");
    EXPECT_EQ(again.value(section, "size"), "a=b\r\nc");
    EXPECT_EQ(again.value("other", "key=1"), "x");
    again.removeSection(section);
    EXPECT_FALSE(again.contains(section, "Size"));
    EXPECT_EQ(again.value("Other", "Key=1"), "x");
    again.removeKey("Other", "KEY=1");
    EXPECT_FALSE(again.contains("Other", "Key=1"));
}

TEST(SettingsStore, DamagedFileLoadsAndIsRepairedOnWrite) {
    SettingsFolder folder;
    std::string junk("\0\0\xff[unclosed\r\nno equals here\r\n=\r\n", 34);
    junk += std::string(1u << 20, 'z');
    folder.dir.write("dravik 2016.ini", junk + "\r\n[Changes]\r\nNewDisc=True\r\n");
    SettingsStore s("DRAVIK 2016");
    EXPECT_EQ(s.value("Changes", "NewDisc"), "True");
    s.setValue("Changes", "NewDisc", "False");
    EXPECT_EQ(s.value("Changes", "NewDisc"), "False");
}

// A settings file that cannot be read (a folder in its place, a FIFO, no permission) is an
// error the caller can catch and report; it never ends the program.
TEST(SettingsStore, AnUnreadableFileIsAnErrorToCatch) {
    SettingsFolder folder;
    folder.dir.makeFolder("dravik 2016.ini");
    ASSERT_EQ(::mkfifo((folder.dir / "shard13.ini").c_str(), 0600), 0);
    ::alarm(20); // a blocked open would otherwise hang the test run
    for (const char* application : {"DRAVIK 2016", "Shard13"}) {
        SettingsStore store(application);
        EXPECT_THROW(store.value("Form_Load", "Def DPath", "fallback"), common::Error);
        EXPECT_THROW(store.setValue("Form_Load", "Def DPath", "/x/"), common::Error);
    }
    ::alarm(0);
    if (::geteuid() != 0) { // permissions do not stop root
        const auto file = folder.dir.write("dravik.ini", "[Disc]\r\nSize=1\r\n");
        std::filesystem::permissions(file, std::filesystem::perms::none);
        try {
            SettingsStore("Dravik").value("Disc", "Size");
            FAIL();
        } catch (const common::Error& e) {
            EXPECT_EQ(e.number(), common::ErrorNumber::PermissionDenied);
        }
    }
}

// The drive table reads its section of the settings; when that cannot be read it keeps the
// defaults and the environment's drives, and says why.
TEST(SettingsStore, TheDriveTableStartsWithoutReadableSettings) {
    SettingsFolder folder;
    folder.dir.makeFolder("dravik 2016.ini");
    const common::testing::ScopedVariable drive("DRAVIK_DRIVE_E", folder.dir.path().c_str());
    const common::DriveTable table = common::DriveTable::fromSystem();
    EXPECT_EQ(table.root('E'), folder.dir.path());
    ASSERT_TRUE(table.settingsFailure().has_value());
    EXPECT_EQ(table.settingsFailure()->number(), common::ErrorNumber::PathFileAccess);
    std::filesystem::remove(folder.dir / "dravik 2016.ini");
    EXPECT_FALSE(common::DriveTable::fromSystem().settingsFailure().has_value());
}

TEST(SettingsStore, ManySectionsGoInOneRewrite) {
    SettingsFolder folder;
    SettingsStore store("Dravik");
    for (const char* disc : {"Work", "Holiday", "Music"})
        store.setValue(disc, "Size", "1");
    store.removeSections({"WORK", "music", "Never there"});
    EXPECT_EQ(store.value("Work", "Size", "absent"), "absent");
    EXPECT_EQ(store.value("Music", "Size", "absent"), "absent");
    EXPECT_EQ(store.value("Holiday", "Size"), "1");
    EXPECT_EQ(TempFolder::read(store.file()), "[Holiday]\r\nSize=1\r\n");
}
