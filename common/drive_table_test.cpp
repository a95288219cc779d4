#include "common/drive_table.h"
#include "common/error.h"
#include "common/folder_path.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

using common::DriveTable;
using common::testing::TempFolder;

TEST(DriveTable, MapsListPathsBothWays) {
    TempFolder dir;
    dir.makeFolder("disc/Photos/2009");
    DriveTable table;
    table.set('e', (dir / "disc").string());
    EXPECT_TRUE(table.has('E'));
    EXPECT_EQ(table.toLocal("E:\\Photos\\2009\\"), dir / "disc" / "Photos/2009/");
    EXPECT_EQ(table.toLocal("e:\\"), dir / "disc");
    EXPECT_EQ(table.toListForm('E', dir / "disc" / "Photos" / "2009"), "E:\\Photos\\2009\\");
    EXPECT_EQ(table.toListForm('e', dir / "disc"), "E:\\");
}

TEST(DriveTable, UnreadableDrivesAreDeviceUnavailable) {
    TempFolder dir;
    DriveTable table;
    table.set('F', (dir / "gone").string());
    table.set('G', "/dev/dravik-no-such-device");
    for (const char letter : {'F', 'G', 'Q'}) {
        EXPECT_FALSE(table.available(letter));
        try {
            table.root(letter);
            FAIL() << letter;
        } catch (const common::Error& e) {
            EXPECT_EQ(e.number(), 68) << letter;
        }
    }
}

TEST(DriveTable, EnvironmentOverridesDefaults) {
    TempFolder dir;
    const common::testing::ScopedVariable drive("DRAVIK_DRIVE_E", dir.path().c_str());
    const DriveTable table = DriveTable::fromSystem();
    EXPECT_EQ(table.root('E'), dir.path());
    EXPECT_TRUE(table.has('C'));
}

TEST(DriveTable, LetterOfComparesWholePathComponents) {
    TempFolder dir;
    for (const char* folder : {"ann/disc", "ann2", "ann/Photos"})
        dir.makeFolder(folder);
    DriveTable table;
    table.set('C', (dir / "ann").string());
    table.set('E', (dir / "ann" / "disc").string() + "/");
    table.set('F', (dir / "gone").string());
    EXPECT_EQ(table.letterOf(dir / "ann2"), std::nullopt);
    EXPECT_EQ(table.letterOf(dir / "ann"), 'C');
    EXPECT_EQ(table.letterOf(dir / "ann" / "Photos" / ".." / "Photos/"), 'C');
    // Nested roots: the deepest one holds the path.
    EXPECT_EQ(table.letterOf(dir / "ann" / "disc" / "x"), 'E');
    EXPECT_EQ(table.letterOf(dir / "ann" / "discs"), 'C');
    EXPECT_EQ(table.letterOf(dir / "gone" / "x"), std::nullopt); // F is not available
}

TEST(FolderPath, EndsInOneSeparatorAndLeavesEmptyAlone) {
    namespace FolderPath = common::FolderPath;
    EXPECT_EQ(FolderPath::withSeparator(std::filesystem::path("/data")), "/data/");
    EXPECT_EQ(FolderPath::withSeparator(std::filesystem::path("/data/")), "/data/");
    EXPECT_EQ(FolderPath::withSeparator(std::filesystem::path()), "");
    EXPECT_EQ(FolderPath::withSeparator(QString("/data")), "/data/");
    EXPECT_EQ(FolderPath::withSeparator(QString("/")), "/");
    EXPECT_EQ(FolderPath::withSeparator(QString()), "");
}

TEST(DriveTable, APathThatClimbsAboveTheRootIsRefused) {
    TempFolder dir;
    DriveTable table;
    table.set('E', (dir / "disc").string());
    dir.makeFolder("disc");
    for (const char* out : {"E:\\..\\..\\..\\etc\\", "E:..", "e:\\a\\..\\..\\etc"}) {
        try {
            (void)table.toLocal(out);
            FAIL() << out;
        } catch (const common::Error& e) {
            EXPECT_EQ(e.number(), common::ErrorNumber::InvalidArgument) << out;
        }
    }
    EXPECT_EQ(table.toLocal("E:\\a\\..\\b\\"), dir / "disc" / "a/../b/");
}
