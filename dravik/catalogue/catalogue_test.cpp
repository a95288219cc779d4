#include "common/error.h"
#include "common/list_text.h"
#include "common/settings_store.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/catalogue/catalogue.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::catalogue::Catalogue;

namespace {
class CatalogueTest : public common::testing::WorkspaceFixture {
protected:
    Catalogue catalogue{data, program};
};
} // namespace

TEST_F(CatalogueTest, DiscIndexAppendReadAndCommas) {
    EXPECT_TRUE(catalogue.readDiscIndex().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(data / "DK.tex")); // created empty
    catalogue.appendDiscName("Holiday 2009");
    catalogue.appendDiscName("Music, vol 1");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday 2009\r\nMusic, vol 1\r\n");
    // A name holding a comma is written whole but comes back as two entries.
    EXPECT_EQ(catalogue.readDiscIndex(), (QStringList{"Holiday 2009", "Music", "vol 1"}));
}

TEST_F(CatalogueTest, NamesResolveWithoutRegardToCase) {
    root.write("data/dk.TEX", "Old\r\n");
    root.write("data/PHOTOS.rtf", "x\r\n");
    EXPECT_EQ(catalogue.readDiscIndex(), (QStringList{"Old"}));
    catalogue.appendDiscName("New");
    EXPECT_EQ(TempFolder::read(data / "dk.TEX"), "Old\r\nNew\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "DK.tex"));
    EXPECT_EQ(catalogue.discListPath("photos"), data / "PHOTOS.rtf");
    EXPECT_EQ(catalogue.discListPath("New disc"), data / "New disc.rtf");
}

TEST_F(CatalogueTest, RewriteKeepsBackupAndLeavesNoWorkFile) {
    catalogue.appendDiscName("A");
    catalogue.appendDiscName("B");
    catalogue.rewriteDiscIndex({"B", "C"});
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "B\r\nC\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "A\r\nB\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "DkFetch.xxx"));
    catalogue.rewriteDiscIndex({"C"});
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "B\r\nC\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "C\r\n");
}

TEST_F(CatalogueTest, PublishReplacesTheListWholeAndRemovesTheWorkFile) {
    root.write("data/Disc 1.rtf", "old list, much longer than the new one\r\n");
    root.write("program/File.List.Qel", "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    catalogue.publishWorkFile("disc 1");
    EXPECT_EQ(TempFolder::read(data / "Disc 1.rtf"), "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
    // Without a work file nothing is touched.
    EXPECT_THROW(catalogue.publishWorkFile("disc 1"), common::Error);
    EXPECT_EQ(TempFolder::read(data / "Disc 1.rtf"), "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
}

TEST(Catalogue, CountListLines) {
    EXPECT_EQ(Catalogue::countListLines(""), 1);
    EXPECT_EQ(Catalogue::countListLines("a"), 1);
    // N file lines and the summary line, ending in a line break: N + 2.
    EXPECT_EQ(
        Catalogue::countListLines("\"E:\\\",\"a\"\r\n\"E:\\\",\"b\"\r\n2 files :  folders\r\n"), 4);
}

TEST_F(CatalogueTest, AppendingToAnIndexWithoutAFinalLineEndKeepsTheNamesApart) {
    root.write("data/DK.tex", "Old\r\nNoEOLAfter");
    catalogue.appendDiscName("New");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Old\r\nNoEOLAfter\r\nNew\r\n");
    EXPECT_EQ(catalogue.readDiscIndex(), (QStringList{"Old", "NoEOLAfter", "New"}));
}

TEST_F(CatalogueTest, AListWhoseNameIsNotUtf8IsFoundByTheNameTheIndexGivesIt) {
    root.write("data/D\xe9mo.rtf", "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    root.write("data/DK.tex", "D\xe9mo\r\n");
    const QStringList discs = catalogue.readDiscIndex();
    ASSERT_EQ(discs, QStringList{QString::fromUtf8("D\xc3\xa9mo")});
    EXPECT_EQ(catalogue.discListPath(discs[0]), data / "D\xe9mo.rtf");
    EXPECT_EQ(common::ListText::load(catalogue.discListPath(discs[0])),
              "\"E:\\\",\"a.txt\"\n1 files :  folders\n");
}
