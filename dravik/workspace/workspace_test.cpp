#include "common/error.h"
#include "common/item_list.h"
#include "common/settings_store.h"
#include "common/testing/scoped_ordinary_user.h"
#include "common/testing/temp_folder.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/workspace/workspace.h"

#include <gtest/gtest.h>

using common::SettingsStore;
using common::testing::TempFolder;
using dravik::workspace::Workspace;

namespace {
class WorkspaceTest : public common::testing::WorkspaceFixture {
protected:
    Workspace make() {
        common::DriveTable table = drives();
        table.set('D', (root / "dee").string());
        return Workspace(table);
    }
};
} // namespace

TEST_F(WorkspaceTest, DataFolderFromSettingsGetsOneSeparator) {
    Workspace w = make();
    w.locateFolders(data);
    EXPECT_EQ(w.dataFolder().string(), data.string() + "/"); // default: the current folder
    EXPECT_EQ(w.programFolder().string(), program.string() + "/");
    SettingsStore("Dravik 2016").setValue("Form_Load", "Def DPath", "/discs/");
    w.locateFolders(data);
    EXPECT_EQ(w.dataFolder().string(), "/discs/");
    SettingsStore("Dravik 2016").setValue("Form_Load", "Def DPath", "/discs");
    w.locateFolders(data);
    EXPECT_EQ(w.dataFolder().string(), "/discs/");
    // A path kept from a Windows install goes through the drive table.
    SettingsStore("Dravik 2016").setValue("Form_Load", "Def DPath", "C:\\Data\\");
    w.locateFolders(data);
    EXPECT_EQ(w.dataFolder().string(), (home / "Data").string() + "/");
}

TEST_F(WorkspaceTest, ChangeDataFolderStoresItAtOnce) {
    Workspace w = make();
    w.changeDataFolder(data);
    EXPECT_EQ(SettingsStore("DRAVIK 2016").value("Form_Load", "Def DPath"),
              QString::fromStdString(data.string() + "/"));
}

TEST_F(WorkspaceTest, StartStepsCreateAndReadTheCatalogueFiles) {
    Workspace w = make();
    w.locateFolders(data);
    w.writeStartMarker();
    EXPECT_EQ(w.loadDefaultDrive(), "");
    EXPECT_EQ(TempFolder::read(home / "DK.tmp"), std::string(30, '.') + "\r\n");
    EXPECT_TRUE(std::filesystem::exists(program / "SSc.ini"));
    root.write("program/SSc.ini", "E\r\n");
    EXPECT_EQ(w.loadDefaultDrive(), "E");
    // Items are read one by one: a comma splits a line, a blank line is an empty item.
    root.write("data/list", "txt /bin/a,b\r\n\r\n\"doc /x,y\"\r\n");
    EXPECT_EQ(common::ItemList::readCreating(data / "list", common::TextLimits::Associations),
              (QStringList{"txt /bin/a", "b", "", "doc /x,y"}));
}

TEST_F(WorkspaceTest, ExitRemovesTheMarkers) {
    Workspace w = make();
    w.locateFolders(data);
    w.writeStartMarker();
    root.write("home/DK.003", "x");
    root.write("data/FTex.Lys", "old\r\n");
    w.exit();
    EXPECT_FALSE(std::filesystem::exists(home / "DK.tmp"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.003"));
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), "old\r\n"); // the find history's own
}

TEST_F(WorkspaceTest, MissingDataFolderFailsEachStepWithANumber) {
    Workspace w = make();
    w.locateFolders(data / "gone");
    try {
        common::ItemList::readCreating(w.dataFile("DK.SoC"), common::TextLimits::Associations);
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
    EXPECT_NO_THROW(w.exit()); // exit ignores failures
}

TEST_F(WorkspaceTest, TemporaryDriveDefaults) {
    EXPECT_EQ(Workspace::temporaryDrive(0), "H");
    EXPECT_EQ(Workspace::temporaryDrive(3), "K");
    SettingsStore("DRAVIK 2016").setValue("TmpDrive", "SellD2", "M");
    EXPECT_EQ(Workspace::temporaryDrive(2), "M");
}

TEST_F(WorkspaceTest, AMarkerThatCannotGoKeepsNoOtherInPlace) {
    Workspace w = make();
    w.locateFolders(data);
    w.writeStartMarker();
    root.write("home/DK.003/inside", "x"); // a folder that cannot be removed as a file
    root.write("home/DK.004", "x");
    w.exit();
    EXPECT_TRUE(std::filesystem::exists(home / "DK.003"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.004"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.tmp"));
}

TEST_F(WorkspaceTest, StartMarkerReplacesALinkInsteadOfWritingThroughIt) {
    Workspace w = make();
    w.locateFolders(data);
    root.write("elsewhere", "precious\r\n");
    std::filesystem::create_symlink(root / "elsewhere", home / "DK.tmp");
    w.writeStartMarker();
    EXPECT_EQ(TempFolder::read(root / "elsewhere"), "precious\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(home / "DK.tmp"));
    EXPECT_EQ(TempFolder::read(home / "DK.tmp"), std::string(30, '.') + "\r\n");
}

// A shared catalogue the user may only read: the start files it has are read, the ones it lacks
// hold nothing, and none is made.
TEST_F(WorkspaceTest, AReadOnlyFolderIsReadAndTheFilesItLacksHoldNothing) {
    std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
    root.write("data/DK.EXL", "txt\r\n");
    std::filesystem::permissions(data, std::filesystem::perms(0555));
    {
        const common::testing::ScopedOrdinaryUser user;
        const auto& limit = common::TextLimits::Associations;
        EXPECT_EQ(common::ItemList::readCreating(data / "DK.EXL", limit), QStringList{"txt"});
        EXPECT_EQ(common::ItemList::readCreating(data / "DK.SoC", limit), QStringList());
    }
    std::filesystem::permissions(data, std::filesystem::perms(0755));
    EXPECT_FALSE(std::filesystem::exists(data / "DK.SoC"));
    // A folder this user may write still gets the file it lacks.
    EXPECT_EQ(common::ItemList::readCreating(data / "DK.SoC", common::TextLimits::Associations),
              QStringList());
    EXPECT_TRUE(std::filesystem::exists(data / "DK.SoC"));
}
