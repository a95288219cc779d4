#include "common/error.h"
#include "common/item_reader.h"
#include "common/line_reader.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

using common::ItemReader;
using common::LineReader;
using common::testing::TempFolder;

namespace {
std::vector<std::string> items(const std::string& bytes) {
    TempFolder dir;
    return ItemReader::readAll(dir.write("f.txt", bytes));
}
std::vector<std::string> lines(const std::string& bytes) {
    TempFolder dir;
    return LineReader::readAll(dir.write("f.txt", bytes));
}
using V = std::vector<std::string>;
} // namespace

TEST(ItemReader, QuotedAndPlainItems) {
    EXPECT_EQ(items("\"E:\\Photos\\\",\"img 1.jpg\"\r\n"), (V{"E:\\Photos\\", "img 1.jpg"}));
    EXPECT_EQ(items("  alpha  ,beta\r\n"), (V{"alpha", "beta"}));
    // A comma inside quotes belongs to the item; text after the closing quote is dropped.
    EXPECT_EQ(items("\"a,b\"junk,c\r\n"), (V{"a,b", "c"}));
    // Leading blanks before a quote are skipped; blanks inside quotes kept.
    EXPECT_EQ(items("   \" x \"\r\n"), (V{" x "}));
}

TEST(ItemReader, EmptyItemsAndLines) {
    EXPECT_EQ(items("a,,b\r\n"), (V{"a", "", "b"}));
    EXPECT_EQ(items("a,\r\n"), (V{"a", ""}));
    EXPECT_EQ(items("\r\nb\r\n"), (V{"", "b"}));
    EXPECT_EQ(items(""), V{});
    EXPECT_EQ(items("\"\"\r\n"), (V{""}));
}

TEST(ItemReader, LineEndsAndUnclosedQuote) {
    EXPECT_EQ(items("one\ntwo\r\nthree"), (V{"one", "two", "three"}));
    // A quote never closed ends with its line rather than swallowing the rest of the file.
    EXPECT_EQ(items("\"open item\r\nnext\r\n"), (V{"open item", "next"}));
    EXPECT_EQ(ItemReader::split("Disc 1,Disc 2"),
              (std::vector<std::string_view>{"Disc 1", "Disc 2"}));
}

TEST(ItemReader, ItemsAreTakenAcrossLinesInOrder) {
    TempFolder dir;
    ItemReader reader(dir.write("f.txt", "\"1\",\"2\"\r\n\"3\"\r\n"));
    std::string_view item;
    std::vector<std::string> seen;
    while (reader.next(item))
        seen.emplace_back(item);
    EXPECT_EQ(seen, (V{"1", "2", "3"}));
    EXPECT_EQ(reader.consumed(), 14u);
}

TEST(LineReader, CrLfLoneLfAndLastLineWithoutEnd) {
    EXPECT_EQ(lines("a\r\nb\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(lines("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(lines("lone\r"), (V{"lone\r"}));
}

TEST(LineReader, BinaryAndHugeLinesLoadWhole) {
    std::string binary("x\0y\r\n\xff\xfe", 7);
    const auto got = lines(binary);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], std::string("x\0y", 3));
    const std::string mega(1u << 20, 'q');
    const auto big = lines(mega + "\r\nend\r\n");
    ASSERT_EQ(big.size(), 2u);
    EXPECT_EQ(big[0].size(), mega.size());
    EXPECT_EQ(big[1], "end");
}

TEST(LineReader, MissingFileAndFolderAreErrors) {
    TempFolder dir;
    try {
        LineReader reader(dir / "missing.txt");
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 53);
    }
    try {
        LineReader reader(dir / "no-folder" / "x.txt");
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
    EXPECT_THROW(LineReader reader(dir.path()), common::Error);
}
