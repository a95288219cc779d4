#include "common/drive_table.h"
#include "common/error.h"
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
