#include "common/error.h"
#include "common/file_ops.h"
#include "common/name_resolver.h"
#include "common/testing/temp_folder.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

#include <gtest/gtest.h>

using common::TextWriter;
using common::testing::TempFolder;

TEST(TextWriter, LinesItemsAndAppendBytes) {
    TempFolder dir;
    const auto file = dir / "out.txt";
    {
        TextWriter w(file, TextWriter::Mode::Truncate);
        w.line("plain");
        w.items({"E:\\", "a b.txt"});
        w.commit();
    }
    {
        TextWriter w(file, TextWriter::Mode::Append);
        w.line(QString::fromUtf8("caf\xc3\xa9"));
        w.commit();
    }
    EXPECT_EQ(TempFolder::read(file), "plain\r\n\"E:\\\",\"a b.txt\"\r\ncaf\xc3\xa9\r\n");
}

TEST(TextWriter, ReplaceIsAllOrNothing) {
    TempFolder dir;
    const auto file = dir.write("list.txt", "old\r\n");
    {
        TextWriter w(file, TextWriter::Mode::Replace);
        w.line("half written");
        w.flush();
        EXPECT_EQ(TempFolder::read(file), "old\r\n"); // the old file stays until commit
    }                                                 // abandoned: no commit
    EXPECT_EQ(TempFolder::read(file), "old\r\n");
    TextWriter::replaceLines(file, {"new 1", "new 2"});
    EXPECT_EQ(TempFolder::read(file), "new 1\r\nnew 2\r\n");
    // Nothing is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextWriter, FailuresCarryNumbers) {
    TempFolder dir;
    try {
        TextWriter w(dir / "nope" / "x.txt", TextWriter::Mode::Truncate);
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
    if (std::filesystem::exists("/dev/full")) {
        try {
            TextWriter w("/dev/full", TextWriter::Mode::Append);
            w.line("x");
            w.commit();
            FAIL();
        } catch (const common::Error& e) {
            EXPECT_EQ(e.number(), 61);
        }
    }
}

TEST(FileOps, CreateRemoveCopy) {
    TempFolder dir;
    const auto a = dir.write("a.txt", "keep\r\n");
    common::FileOps::createIfMissing(a);
    EXPECT_EQ(TempFolder::read(a), "keep\r\n");
    common::FileOps::createIfMissing(dir / "new.txt");
    EXPECT_TRUE(common::FileOps::isFile(dir / "new.txt"));
    common::FileOps::copyReplacing(a, dir / "new.txt");
    EXPECT_EQ(TempFolder::read(dir / "new.txt"), "keep\r\n");
    common::FileOps::removeIfExists(dir / "new.txt");
    common::FileOps::removeIfExists(dir / "new.txt");
    EXPECT_FALSE(common::FileOps::isFile(dir / "new.txt"));
}

TEST(NameResolver, MatchesWithoutRegardToCase) {
    TempFolder dir;
    dir.write("DK.Tex", "");
    EXPECT_EQ(common::NameResolver::resolve(dir.path(), "dk.tex"), dir / "DK.Tex");
    EXPECT_EQ(common::NameResolver::resolve(dir.path(), "DK.TEX"), dir / "DK.Tex");
    EXPECT_EQ(common::NameResolver::resolve(dir.path(), "FTex.Lys"), dir / "FTex.Lys");
    EXPECT_EQ(common::NameResolver::resolve(dir / "missing", "x"), dir / "missing" / "x");
    EXPECT_TRUE(
        common::NameResolver::sameName("Disc \xc3\xa9t\xc3\xa9.rtf", "DISC \xc3\x89T\xc3\x89.RTF"));
}

TEST(UpperCase, KeepsPositions) {
    const QString text = QString::fromUtf8("stra\xc3\x9f"
                                           "e \xc3\xa9t\xc3\xa9 abc");
    const QString up = common::UpperCase::of(text);
    EXPECT_EQ(up.size(), text.size());
    EXPECT_EQ(up, QString::fromUtf8("STRA\xc3\x9f"
                                    "E \xc3\x89T\xc3\x89 ABC"));
    std::string bytes = "img_\xc3\xa9t\xc3\xa9.jpg";
    common::UpperCase::inPlace(bytes);
    EXPECT_EQ(bytes, "IMG_\xc3\x89T\xc3\x89.JPG");
    // A character whose upper case is longer in UTF-8 (dotless i -> I is shorter) stays put.
    std::string dotless = "\xc4\xb1x";
    common::UpperCase::inPlace(dotless);
    EXPECT_EQ(dotless.size(), 3u);
}
