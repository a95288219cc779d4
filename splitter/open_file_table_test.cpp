#include "splitter/open_file_table.h"

#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

using splitter::OpenFileTable;

namespace {
std::string extensionNumber(int n) {
    // Three letters, so every number is a valid extension of its own.
    std::string s = "AAA";
    s[0] = static_cast<char>('A' + n / 676);
    s[1] = static_cast<char>('A' + n / 26 % 26);
    s[2] = static_cast<char>('A' + n % 26);
    return s;
}
} // namespace

TEST(OpenFileTable, PositionZeroIsThePlaceholder) {
    common::testing::TempFolder dir;
    OpenFileTable table(dir.path());
    EXPECT_EQ(table.at(0), "empty");
    EXPECT_EQ(table.count(), 0);
    table.fileFor("JPG").write("a\r\n");
    table.fileFor("TXT").write("b\r\n");
    table.fileFor("JPG").write("c\r\n");
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.current(), 1);
    EXPECT_EQ(table.at(2), "TXT");
    table.closeAll();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(common::testing::TempFolder::read(dir / "JPG.rtf"), "a\r\nc\r\n");
    EXPECT_EQ(common::testing::TempFolder::read(dir / "TXT.rtf"), "b\r\n");
}

TEST(OpenFileTable, FilesAreAppendedTo) {
    common::testing::TempFolder dir;
    dir.write("JPG.rtf", "old\r\n");
    OpenFileTable table(dir.path());
    table.fileFor("JPG").write("new\r\n");
    table.closeAll();
    EXPECT_EQ(common::testing::TempFolder::read(dir / "JPG.rtf"), "old\r\nnew\r\n");
}

TEST(OpenFileTable, The501stExtensionClosesAllAndRestartsWithoutLosingALine) {
    common::testing::TempFolder dir;
    OpenFileTable table(dir.path());
    for (int n = 0; n < OpenFileTable::Capacity; ++n)
        table.fileFor(extensionNumber(n)).write("first " + std::to_string(n) + "\r\n");
    EXPECT_EQ(table.count(), 500);
    table.fileFor(extensionNumber(500)).write("first 500\r\n");
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.current(), 1);
    EXPECT_EQ(table.at(1), extensionNumber(500));
    for (int n = 0; n < 10; ++n)
        table.fileFor(extensionNumber(n)).write("second " + std::to_string(n) + "\r\n");
    EXPECT_EQ(table.count(), 11);
    EXPECT_EQ(table.at(2), extensionNumber(0));
    table.closeAll();
    for (int n = 0; n <= 500; ++n) {
        std::string expected = "first " + std::to_string(n) + "\r\n";
        if (n < 10)
            expected += "second " + std::to_string(n) + "\r\n";
        EXPECT_EQ(common::testing::TempFolder::read(dir / (extensionNumber(n) + ".rtf")), expected);
    }
}

TEST(OpenFileTable, LongLinesPassTheBuffer) {
    common::testing::TempFolder dir;
    OpenFileTable table(dir.path());
    const std::string big(100000, 'x');
    table.fileFor("BIG").write("a");
    table.fileFor("BIG").write(big);
    table.fileFor("BIG").write("b");
    table.closeAll();
    EXPECT_EQ(common::testing::TempFolder::read(dir / "BIG.rtf"), "a" + big + "b");
}

TEST(OpenFileTable, AListInOtherLettersIsTheSameList) {
    common::testing::TempFolder dir;
    dir.write("jpg.rtf", "old\r\n");
    OpenFileTable table(dir.path());
    table.fileFor("JPG").write("new\r\n");
    table.closeAll();
    EXPECT_EQ(common::testing::TempFolder::read(dir / "jpg.rtf"), "old\r\nnew\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "JPG.rtf"));
}
