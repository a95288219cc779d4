#include "common/settings_store.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

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
