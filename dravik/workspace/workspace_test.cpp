#include "common/error.h"
#include "common/settings_store.h"
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
    w.createAssociationData();
    w.writeStartMarker();
    EXPECT_TRUE(w.loadAssociations().isEmpty());
    EXPECT_TRUE(w.loadExtensions().isEmpty());
    EXPECT_TRUE(w.loadFindHistory().isEmpty());
    EXPECT_EQ(w.loadDefaultDrive(), "");
    for (const char* name : {"DK.mmd", "DK.SoC", "DK.EXL", "FTex.Lys"})
        EXPECT_EQ(TempFolder::read(data / name), "") << name;
    EXPECT_EQ(TempFolder::read(home / "DK.tmp"), std::string(30, '.') + "\r\n");
    EXPECT_TRUE(std::filesystem::exists(program / "SSc.ini"));

    // Links are read item by item: a comma splits a line, a blank line is an empty entry.
    root.write("data/DK.SoC", "txt /bin/a,b\r\n\r\n\"doc /x,y\"\r\n");
    EXPECT_EQ(w.loadAssociations(), (QStringList{"txt /bin/a", "b", "", "doc /x,y"}));
    root.write("data/DK.EXL", ".mp3\r\n  \r\n\r\n.jpg\r\n");
    root.write("program/SSc.ini", "E\r\n");
    EXPECT_EQ(w.loadExtensions(), (QStringList{".mp3", ".jpg"}));
    EXPECT_EQ(w.loadDefaultDrive(), "E");
}

TEST_F(WorkspaceTest, ExitRemovesMarkersAndRewritesHistory) {
    Workspace w = make();
    w.locateFolders(data);
    w.writeStartMarker();
    root.write("home/DK.003", "x");
    root.write("data/FTex.Lys", "old\r\n");
    w.exit(QStringList{"kamera|camera", "jpg"});
    EXPECT_FALSE(std::filesystem::exists(home / "DK.tmp"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.003"));
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), "kamera|camera\r\njpg\r\n");
    w.exit(std::nullopt); // nothing loaded: the history stays
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), "kamera|camera\r\njpg\r\n");
}

TEST_F(WorkspaceTest, MissingDataFolderFailsEachStepWithANumber) {
    Workspace w = make();
    w.locateFolders(data / "gone");
    try {
        w.loadAssociations();
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
    EXPECT_THROW(w.createAssociationData(), common::Error);
    EXPECT_NO_THROW(w.exit(QStringList{"x"})); // exit ignores failures
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
    w.exit(std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(home / "DK.003"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.004"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.tmp"));
}
