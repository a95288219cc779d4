#include "common/list_rows.h"

#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>

using common::FileLines;
using common::ListRows;
using common::testing::TempFolder;
using Place = ListRows::Place;

namespace {

const common::TextLimit Limit{1u << 30, 64 * 1024, common::TextLimits::NoItemLimit};

std::unique_ptr<ListRows> rowsOf(const TempFolder& folder, const std::string& bytes) {
    return std::make_unique<ListRows>(
        std::make_unique<FileLines>(folder.write("list.rtf", bytes), Limit));
}

} // namespace

TEST(ListRows, RowsAreDecodedEachByItsOwnCodePage) {
    TempFolder folder;
    const auto rows = rowsOf(folder, "caf\xe9\r\n\xc3\x85re 250\r\n");
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ(rows->text(0), QString::fromUtf8("café"));
    EXPECT_EQ(rows->text(1), QString::fromUtf8("Åre 250"));
    EXPECT_EQ(rows->text(2), "");
    EXPECT_EQ(rows->text(3), "");
    EXPECT_EQ(rows->wholeText(), QString::fromUtf8("café\nÅre 250\n"));
}

TEST(ListRows, AppendedTextEndsTheLastRowAndAddsRows) {
    TempFolder folder;
    auto rows = rowsOf(folder, "first\r\nsecond");
    rows->append(" half\n================a.rtf==============\r\nx\ry\n");
    EXPECT_EQ(rows->wholeText(), "first\nsecond half\n================a.rtf==============\nx\ny\n");
    EXPECT_EQ(rows->size(), 6u);
    rows->append("end");
    EXPECT_EQ(rows->text(5), "end");
    rows->append(QString::fromUtf8("ø"));
    EXPECT_EQ(rows->text(5), QString::fromUtf8("endø"));
    EXPECT_EQ(rows->size(), 6u);

    ListRows none;
    EXPECT_EQ(none.size(), 1u);
    none.append("a\nb");
    EXPECT_EQ(none.wholeText(), "a\nb");
}

TEST(ListRows, FindLooksInAnyCaseFromAPlaceOnThroughFileAndKeptRows) {
    TempFolder folder;
    auto rows = rowsOf(folder, "IMG_1.JPG img_2.jpg\r\nnothing\r\ncaf\xe9 jpg\r\n");
    EXPECT_EQ(rows->find("jpg", {}), (Place{0, 6}));
    EXPECT_EQ(rows->find("jpg", {0, 7}), (Place{0, 16}));
    EXPECT_EQ(rows->find("JPG", {0, 17}), (Place{2, 5}));
    EXPECT_EQ(rows->find(QString::fromUtf8("CAFÉ"), {}), (Place{2, 0}));
    EXPECT_FALSE(rows->find("jpg", {2, 6}));
    rows->append("more.JPG\n");
    EXPECT_EQ(rows->find("jpg", {2, 6}), (Place{3, 5}));
    EXPECT_FALSE(rows->find("", {}));
    EXPECT_FALSE(rows->find("nothing\n", {}));
    EXPECT_FALSE(rows->find("jpg", {99, 0}));
}

// Find passes over rows by their bytes first; whatever the text finds must still be found: a word
// of mixed characters, rows in either code page, and the two characters that fold to ASCII
// letters (the Kelvin sign to k, the long s to s).
TEST(ListRows, FindPassesOverRowsByTheirBytesYetMissesNoMatch) {
    TempFolder folder;
    auto rows = rowsOf(folder, "plain row\r\n"
                               "Caf\xe9 Noir\r\n"                // windows-1252
                               "\xc3\x85re caf\xc3\xa9 noir\r\n" // UTF-8
                               "5 \xe2\x84\xaa\x65lvin\r\n"      // U+212A
                               "Me\xc5\xbfs\r\n");               // U+017F
    EXPECT_EQ(rows->find(QString::fromUtf8("café noir"), {}), (Place{1, 0}));
    EXPECT_EQ(rows->find(QString::fromUtf8("CAFÉ NOIR"), {1, 1}), (Place{2, 4}));
    EXPECT_EQ(rows->find(QString::fromUtf8("åRE"), {}), (Place{2, 0}));
    EXPECT_EQ(rows->find("kelvin", {}), (Place{3, 2}));
    EXPECT_EQ(rows->find("MESS", {}), (Place{4, 0}));
    EXPECT_EQ(rows->find("ROW", {}), (Place{0, 6}));
    EXPECT_FALSE(rows->find("kelvins", {}));
    EXPECT_FALSE(rows->find(QString::fromUtf8("noir é"), {}));
}
