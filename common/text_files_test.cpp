#include "common/error.h"
#include "common/file_ops.h"
#include "common/item_reader.h"
#include "common/line_reader.h"
#include "common/name_resolver.h"
#include "common/temporary_file.h"
#include "common/testing/descriptor_count.h"
#include "common/testing/scoped_file_size_limit.h"
#include "common/testing/scoped_ordinary_user.h"
#include "common/testing/temp_folder.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

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
    EXPECT_EQ(common::UpperCase::of(std::string_view("img_\xc3\xa9t\xc3\xa9.jpg")),
              "IMG_\xc3\x89T\xc3\x89.JPG");
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

namespace {
unsigned modeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}

// Sets the umask for one test.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : saved_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(saved_); }

private:
    mode_t saved_;
};
} // namespace

TEST(TextWriter, ARewriteKeepsTheModeOfTheFileItReplacesAndANewFileFollowsTheUmask) {
    TempFolder dir;
    const ScopedUmask umask(027);
    for (const unsigned mode : {0600u, 0640u, 0664u}) {
        const auto file = dir.write("list.txt", "old\r\n");
        ::chmod(file.c_str(), mode);
        TextWriter::replaceLines(file, {"new"});
        EXPECT_EQ(modeOf(file), mode);
    }
    TextWriter::replaceLines(dir / "new.txt", {"new"});
    EXPECT_EQ(modeOf(dir / "new.txt"), 0640u);
    TextWriter(dir / "truncated.txt", TextWriter::Mode::Truncate).commit();
    EXPECT_EQ(modeOf(dir / "truncated.txt"), 0640u);
    common::FileOps::createIfMissing(dir / "created.txt");
    EXPECT_EQ(modeOf(dir / "created.txt"), 0640u);
}

TEST(FileOps, ARenameOverKeepsTheModeOfTheFileItReplaces) {
    TempFolder dir;
    const ScopedUmask umask(022);
    for (const unsigned mode : {0600u, 0640u}) {
        const auto target = dir.write("DK.tex", "old\r\n");
        ::chmod(target.c_str(), mode);
        const auto work = dir.write("DkFetch.xxx", "new\r\n");
        common::FileOps::renameOver(work, target);
        EXPECT_EQ(modeOf(target), mode);
        EXPECT_EQ(TempFolder::read(target), "new\r\n");
        EXPECT_FALSE(std::filesystem::exists(work));
    }
    const auto work = dir.write("work", "x\r\n");
    common::FileOps::renameOver(work, dir / "fresh"); // nothing to take a mode from
    EXPECT_EQ(modeOf(dir / "fresh"), 0644u);
}

TEST(FileOps, AnExistingFileIsNotOpenedToBeCreatedSoAReadOnlyOneIsNoFailure) {
    TempFolder dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const auto file = dir.write("DK.tex", "Disc\r\n");
    ::chmod(file.c_str(), 0444);
    const auto inFolder = dir.write("locked/DK.SoC", "x\r\n");
    std::filesystem::permissions(dir / "locked", std::filesystem::perms(0555));
    {
        const common::testing::ScopedOrdinaryUser user;
        EXPECT_TRUE(common::FileOps::isReadOnly(file));
        EXPECT_TRUE(common::FileOps::isReadOnly(dir / "locked"));
        EXPECT_FALSE(common::FileOps::isReadOnly(dir / "missing"));
        EXPECT_NO_THROW(common::FileOps::createIfMissing(file));
        EXPECT_NO_THROW(common::FileOps::createIfMissing(inFolder));
        EXPECT_EQ(common::LineReader::readAll(file), std::vector<std::string>{"Disc"});
        try {
            common::FileOps::createIfMissing(dir / "locked/DK.mmd");
            ADD_FAILURE() << "created in a read-only folder";
        } catch (const common::Error& e) {
            EXPECT_EQ(e.number(), common::ErrorNumber::PermissionDenied);
        }
    }
    EXPECT_EQ(TempFolder::read(file), "Disc\r\n");
    EXPECT_FALSE(common::FileOps::isReadOnly(dir / "missing"));
    std::filesystem::permissions(dir / "locked", std::filesystem::perms(0755));
}

// A rewrite's new file has a short name of its own, so every name that fits the folder can be
// rewritten: a disc list of a 251-byte disc name has a 255-byte name.
TEST(TextWriter, ANameOfTheLongestLengthCanBeRewritten) {
    TempFolder dir;
    const auto file = dir.write(std::string(251, 'x') + ".rtf", "old\r\n");
    TextWriter::replaceLines(file, {"new"});
    EXPECT_EQ(TempFolder::read(file), "new\r\n");
    common::FileOps::copyReplacing(file, dir / (std::string(251, 'y') + ".rtf"));
    EXPECT_EQ(TempFolder::read(dir / (std::string(251, 'y') + ".rtf")), "new\r\n");
}

namespace {
void makeOld(const std::filesystem::path& file) {
    TempFolder::makeOlder(file, std::chrono::hours(1));
}
std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

// What a killed program leaves behind goes; a rewrite another program is running stays.
TEST(TemporaryFile, StaleFilesGoAndFilesOfARunningRewriteStay) {
    TempFolder dir;
    const auto file = dir.write("list.rtf", "old\r\n");
    TextWriter running(file, TextWriter::Mode::Replace);
    running.line("half written");
    running.flush();
    for (const auto& name : namesIn(dir.path()))
        makeOld(dir / name);
    const auto killed = dir.write(".dravik-AbCd1234.new", "killed\r\n");
    const auto earlier = dir.write("list.rtf.new-Ab12Cd", "from an earlier version\r\n");
    const auto recent = dir.write("DK.tex.new-Xy34Zw", "may still be written\r\n");
    const auto killedJustNow = dir.write(".dravik-FrEsH123.new", "killed a moment ago\r\n");
    dir.write("notes.new-design", "not ours\r\n");
    dir.write(".dravik-short.new", "not ours\r\n");
    for (const auto& path : {killed, earlier})
        makeOld(path);
    const auto before = namesIn(dir.path());

    // A new file is locked before anyone can see it, so only its lock tells; the files of
    // earlier versions carry none and go only when old.
    EXPECT_EQ(common::TemporaryFile::removeStale(dir.path()), 3u);
    auto after = before;
    std::erase(after, killed.filename().string());
    std::erase(after, earlier.filename().string());
    std::erase(after, killedJustNow.filename().string());
    EXPECT_EQ(namesIn(dir.path()), after);
    EXPECT_TRUE(std::filesystem::exists(recent));
    running.commit();
    EXPECT_EQ(TempFolder::read(file), "half written\r\n");
}

// Another program's clean-up running while rewrites start never takes a rewrite's new file.
TEST(TemporaryFile, ACleanUpRunningBesideRewritesTakesNoneOfTheirFiles) {
    TempFolder dir;
    const auto file = dir.write("DK.tex", "old\r\n");
    std::atomic<bool> done{false};
    std::thread cleaner([&] {
        while (!done)
            common::TemporaryFile::removeStale(dir.path());
    });
    int failed = 0;
    for (int i = 0; i < 300; ++i) {
        try {
            TextWriter::replaceLines(file, {QString::number(i)}, TextWriter::Durability::Process);
        } catch (const common::Error&) {
            ++failed;
        }
    }
    done = true;
    cleaner.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(TempFolder::read(file), "299\r\n");
}

// A file whose last line has no line end (written by hand, or cut short) would glue the first
// appended line onto it.
TEST(TextWriter, AnAppendFirstEndsAnUnterminatedLastLine) {
    TempFolder dir;
    for (const auto& [before, after] :
         std::vector<std::pair<std::string, std::string>>{{"NoEOLAfter", "NoEOLAfter\r\nNext\r\n"},
                                                          {"Ends\r", "Ends\r\r\nNext\r\n"},
                                                          {"Lone LF\n", "Lone LF\nNext\r\n"},
                                                          {"Whole\r\n", "Whole\r\nNext\r\n"},
                                                          {"", "Next\r\n"}}) {
        const auto file = dir.write("DK.tex", before);
        TextWriter writer(file, TextWriter::Mode::Append);
        writer.line("Next");
        writer.commit();
        EXPECT_EQ(TempFolder::read(file), after) << before;
    }
}

// Where only a crash leaves a last line without its end (a record cut in the middle of a write),
// the half line goes, and nothing is glued to it.
TEST(TextWriter, AnAppendCanCutAnUnendedLastLineInstead) {
    TempFolder dir;
    const std::string big(10000, 'x'); // the cut looks back further than one block
    for (const auto& [before, after] : std::vector<std::pair<std::string, std::string>>{
             {"Whole\r\nHalf a li", "Whole\r\nNext\r\n"},
             {"Whole\r\nEnds\r", "Whole\r\nNext\r\n"},
             {"Whole\r\n" + big, "Whole\r\nNext\r\n"},
             {"No line end at all", "Next\r\n"},
             {"Lone LF\n", "Lone LF\nNext\r\n"},
             {"", "Next\r\n"}}) {
        const auto file = dir.write("JPG.rtf", before);
        TextWriter writer(TextWriter::Buffer::Small);
        writer.setUnendedLine(TextWriter::UnendedLine::Cut);
        writer.open(file, TextWriter::Mode::Append);
        writer.line("Next");
        writer.commit();
        EXPECT_EQ(TempFolder::read(file), after) << before.substr(0, 20);
    }
}

// A full disk in the middle of an append leaves the file as it was, not a torn last line.
TEST(TextWriter, AnAppendThatFailsPartWayLeavesTheFileAsItWas) {
    TempFolder dir;
    const std::string line(20000, 'x');
    for (const std::string before : {"Alpha\r\n", "Alpha", ""}) {
        const auto file = dir.write("DK.tex", before);
        {
            const common::testing::ScopedFileSizeLimit full(9);
            TextWriter writer(file, TextWriter::Mode::Append);
            writer.line("Tiny one");
            EXPECT_THROW(writer.commit(), common::Error);
        }
        EXPECT_EQ(TempFolder::read(file), before);
        {
            // Part of it already out through a full buffer, the rest refused at commit.
            const common::testing::ScopedFileSizeLimit full(50000);
            TextWriter writer(file, TextWriter::Mode::Append, TextWriter::Buffer::Small);
            writer.line(QString::fromStdString(line));
            writer.line(QString::fromStdString(line));
            writer.line(QString::fromStdString(line));
            EXPECT_THROW(writer.commit(), common::Error);
        }
        EXPECT_EQ(TempFolder::read(file), before);
        {
            // A writer dropped without commit() flushes what it has, whole or not at all.
            const common::testing::ScopedFileSizeLimit full(9);
            TextWriter writer(file, TextWriter::Mode::Append);
            writer.line("Tiny one");
        }
        EXPECT_EQ(TempFolder::read(file), before);
    }
}

// A rewrite that needs only to outlive the process is as whole as one that reaches the disk.
TEST(TextWriter, AReplaceWithoutDiskFlushIsStillCompleteAndLeavesNothingBeside) {
    TempFolder dir;
    const auto file = dir.write("DoneSplit.lys", "old\r\n");
    TextWriter::replaceLines(file, {"A", "B"}, TextWriter::Durability::Process);
    EXPECT_EQ(TempFolder::read(file), "A\r\nB\r\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextFiles, FailedReadsAndWritesLeaveNoDescriptorOpen) {
    TempFolder dir;
    dir.makeFolder("list.rtf");
    const auto file = dir.write("a.txt", "x\r\n");
    const std::size_t before = common::testing::openDescriptors();
    for (int i = 0; i < 10; ++i) {
        TextWriter replace(dir / "list.rtf", TextWriter::Mode::Replace);
        replace.line("the rename over a folder fails");
        EXPECT_THROW(replace.commit(), common::Error);
        EXPECT_THROW(TextWriter(dir / "no" / "x", TextWriter::Mode::Append), common::Error);
        EXPECT_THROW(common::FileOps::copyReplacing(file, dir / "list.rtf"), common::Error);
        EXPECT_THROW(common::FileOps::copyReplacing(dir / "none", file), common::Error);
        EXPECT_THROW(common::LineReader::wholeFile(dir / "list.rtf"), common::Error);
    }
    EXPECT_EQ(common::testing::openDescriptors(), before);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.txt", "list.rtf"}));
}

// A list copied from an old Windows disc may have a name that is not UTF-8 ("D\xe9mo.rtf"). The
// catalogue knows it by its name read by the text rule ("Démo"); the resolver finds the file's
// own bytes for it, and the file lists show it decoded while keeping the bytes to open it by.
TEST(NameResolver, FindsANameThatIsNotUtf8ByItsDecodedText) {
    TempFolder dir;
    const auto file = dir.write("D\xe9mo.rtf", "x\r\n");
    dir.write("Plain.rtf", "x\r\n");
    dir.write("notes.txt", "x\r\n");
    EXPECT_EQ(common::NameResolver::resolve(dir.path(), "D\xc3\xa9mo.rtf"), file);
    EXPECT_EQ(common::NameResolver::resolve(dir.path(), "D\xc3\x89MO.RTF"), file);
    EXPECT_EQ(common::NameResolver::resolve(dir.path(), "D\xe9MO.rtf"), file);
    EXPECT_TRUE(common::NameResolver::sameName("D\xe9mo.rtf", "D\xc3\x89MO.RTF"));
    const auto listed = common::NameResolver::filesMatching(dir.path(), "*.rtf");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].bytes, "D\xe9mo.rtf");
    EXPECT_EQ(listed[0].shown, QString::fromUtf8("D\xc3\xa9mo.rtf"));
    EXPECT_EQ(listed[1].bytes, "Plain.rtf");
    EXPECT_EQ(common::LineReader::readAll(dir / listed[0].bytes).size(), 1u);
}
