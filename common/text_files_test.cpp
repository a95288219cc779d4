#include "common/error.h"
#include "common/file_ops.h"
#include "common/item_reader.h"
#include "common/line_reader.h"
#include "common/name_resolver.h"
#include "common/testing/temp_folder.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(common::Error::fromErrno(ENOSPC, "x").number(), 61);
    EXPECT_EQ(common::Error::fromErrno(EACCES, "x").number(), 70);
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

namespace {
// The message of the common::Error that `action` throws, or "no error".
template <typename Action> std::string failureOf(Action action) {
    try {
        action();
    } catch (const common::Error& e) {
        return std::to_string(e.number()) + " " + e.description();
    }
    return "no error";
}
} // namespace

// A FIFO would block an open for reading or writing until another program opens its other
// end; a device can be read for ever. Neither is a text file: every reader and writer refuses
// them at once, naming the path.
TEST(TextFiles, AFifoOrADeviceIsRefusedWithoutBlocking) {
    TempFolder dir;
    const auto fifo = dir / "DK.tex";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(20); // a blocked open would otherwise hang the test run
    const std::string refused = "75 " + fifo.string() + ": is not a regular file";
    EXPECT_EQ(failureOf([&] { common::LineReader reader(fifo); }), refused);
    EXPECT_EQ(failureOf([&] { common::ItemReader::readAll(fifo); }), refused);
    EXPECT_EQ(failureOf([&] { common::LineReader::wholeFile(fifo); }), refused);
    for (const auto mode : {TextWriter::Mode::Append, TextWriter::Mode::Truncate})
        EXPECT_EQ(failureOf([&] { TextWriter writer(fifo, mode); }), refused);
    EXPECT_EQ(failureOf([&] { common::FileOps::createIfMissing(fifo); }), refused);
    EXPECT_EQ(failureOf([&] { common::FileOps::copyReplacing(fifo, dir / "copy"); }), refused);
    EXPECT_EQ(failureOf([&] { common::LineReader reader("/dev/zero"); }),
              "75 /dev/zero: is not a regular file");
    EXPECT_EQ(failureOf([&] { common::LineReader reader(dir.path()); }),
              "75 " + dir.path().string() + ": is a folder, not a file");
    ::alarm(0);
}
