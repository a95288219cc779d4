#include "common/error.h"
#include "common/settings_store.h"
#include "common/testing/temp_folder.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/disc_list_writer.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::catalogue::Catalogue;
using dravik::catalogue::DiscListWriter;

namespace {
struct Folders {
    TempFolder dir;
    std::filesystem::path data = dir.makeFolder("data");
    std::filesystem::path program = dir.makeFolder("program");
    Catalogue catalogue{data, program};
};
} // namespace

TEST(DiscListWriter, LinesAndSummaryByteForByte) {
    TempFolder dir;
    const auto file = dir / "list.rtf";
    DiscListWriter writer(file);
    writer.appendFile("E:\\", "autorun.inf");
    writer.appendFile("E:\\Photos\\2009\\", "img 001.jpg");
    writer.appendFile("E:\\odd\\", "two\r\nlines\n");
    writer.finish(1234, 56);
    EXPECT_EQ(TempFolder::read(file), "\"E:\\\",\"autorun.inf\"\r\n"
                                      "\"E:\\Photos\\2009\\\",\"img 001.jpg\"\r\n"
                                      "\"E:\\odd\\\",\"two??lines?\"\r\n"
                                      "1,234 files : 56 folders\r\n");
}

TEST(DiscListWriter, ZeroCountsFormatEmpty) {
    EXPECT_EQ(DiscListWriter::summaryLine(0, 0), " files :  folders");
    EXPECT_EQ(DiscListWriter::summaryLine(0, 3), " files : 3 folders");
    EXPECT_EQ(DiscListWriter::summaryLine(1234567, 0), "1,234,567 files :  folders");
}

TEST(Catalogue, DiscIndexAppendReadAndCommas) {
    Folders f;
    EXPECT_TRUE(f.catalogue.readDiscIndex().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(f.data / "DK.tex")); // created empty
    f.catalogue.appendDiscName("Holiday 2009");
    f.catalogue.appendDiscName("Music, vol 1");
    EXPECT_EQ(TempFolder::read(f.data / "DK.tex"), "Holiday 2009\r\nMusic, vol 1\r\n");
    // A name holding a comma is written whole but comes back as two entries.
    EXPECT_EQ(f.catalogue.readDiscIndex(), (QStringList{"Holiday 2009", "Music", "vol 1"}));
}

TEST(Catalogue, NamesResolveWithoutRegardToCase) {
    Folders f;
    f.dir.write("data/dk.TEX", "Old\r\n");
    f.dir.write("data/PHOTOS.rtf", "x\r\n");
    EXPECT_EQ(f.catalogue.readDiscIndex(), (QStringList{"Old"}));
    f.catalogue.appendDiscName("New");
    EXPECT_EQ(TempFolder::read(f.data / "dk.TEX"), "Old\r\nNew\r\n");
    EXPECT_FALSE(std::filesystem::exists(f.data / "DK.tex"));
    EXPECT_EQ(f.catalogue.discListPath("photos"), f.data / "PHOTOS.rtf");
    EXPECT_EQ(f.catalogue.discListPath("New disc"), f.data / "New disc.rtf");
}

TEST(Catalogue, RewriteKeepsBackupAndLeavesNoWorkFile) {
    Folders f;
    f.catalogue.appendDiscName("A");
    f.catalogue.appendDiscName("B");
    f.catalogue.rewriteDiscIndex({"B", "C"});
    EXPECT_EQ(TempFolder::read(f.data / "DK.tex"), "B\r\nC\r\n");
    EXPECT_EQ(TempFolder::read(f.data / "Dk.Tex.Bak"), "A\r\nB\r\n");
    EXPECT_FALSE(std::filesystem::exists(f.data / "DkFetch.xxx"));
    f.catalogue.rewriteDiscIndex({"C"});
    EXPECT_EQ(TempFolder::read(f.data / "Dk.Tex.Bak"), "B\r\nC\r\n");
    EXPECT_EQ(TempFolder::read(f.data / "DK.tex"), "C\r\n");
}

TEST(Catalogue, PublishReplacesTheListWholeAndRemovesTheWorkFile) {
    Folders f;
    f.dir.write("data/Disc 1.rtf", "old list, much longer than the new one\r\n");
    f.dir.write("program/File.List.Qel", "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    f.catalogue.publishWorkFile("disc 1");
    EXPECT_EQ(TempFolder::read(f.data / "Disc 1.rtf"), "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    EXPECT_FALSE(std::filesystem::exists(f.program / "File.List.Qel"));
    // Without a work file nothing is touched.
    EXPECT_THROW(f.catalogue.publishWorkFile("disc 1"), common::Error);
    EXPECT_EQ(TempFolder::read(f.data / "Disc 1.rtf"), "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
}

TEST(Catalogue, CountListLines) {
    EXPECT_EQ(Catalogue::countListLines(""), 1);
    EXPECT_EQ(Catalogue::countListLines("a"), 1);
    // N file lines and the summary line, ending in a line break: N + 2.
    EXPECT_EQ(
        Catalogue::countListLines("\"E:\\\",\"a\"\r\n\"E:\\\",\"b\"\r\n2 files :  folders\r\n"), 4);
}
