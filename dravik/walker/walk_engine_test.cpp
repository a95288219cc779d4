#include "common/error.h"
#include "common/file_descriptor.h"
#include "common/item_reader.h"
#include "common/testing/descriptor_count.h"
#include "common/testing/scoped_code_page.h"
#include "common/testing/temp_folder.h"
#include "dravik/walker/walk_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using common::testing::TempFolder;
using dravik::walker::WalkCounts;
using dravik::walker::WalkEngine;
using dravik::walker::WalkInput;

namespace {

struct Walked {
    std::vector<std::string> lines;
    WalkCounts counts;
};

Walked walk(const std::filesystem::path& root, WalkInput input = {}) {
    if (input.location.empty())
        input.location = "E:\\";
    TempFolder out;
    WalkEngine engine(root, input);
    Walked w;
    w.counts = engine.run(out / "File.List.Qel");
    std::string bytes = TempFolder::read(out / "File.List.Qel");
    EXPECT_TRUE(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n");
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;
        line.pop_back();
        w.lines.push_back(line);
    }
    return w;
}

// The lines of one folder, in any order (the file system decides the order within a folder).
std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

TEST(WalkEngine, EmptyDiscGivesTheSummaryLineAlone) {
    TempFolder disc;
    const Walked w = walk(disc.path());
    EXPECT_EQ(w.lines, (std::vector<std::string>{" files :  folders"}));
    EXPECT_EQ(w.counts.files, 0);
    EXPECT_EQ(w.counts.folders, 0);
}

TEST(WalkEngine, RootWithOnlyFiles) {
    TempFolder disc;
    disc.write("autorun.inf", "x");
    disc.write("read me.txt", "x");
    const Walked w = walk(disc.path());
    ASSERT_EQ(w.lines.size(), 3u);
    EXPECT_EQ(sorted({w.lines[0], w.lines[1]}),
              (std::vector<std::string>{"\"E:\\\",\"autorun.inf\"", "\"E:\\\",\"read me.txt\""}));
    EXPECT_EQ(w.lines[2], "2 files :  folders");
}

TEST(WalkEngine, BreadthFirstWithFoldersOnlyThroughTheirFiles) {
    TempFolder disc;
    disc.write("Photos/2009/img_001.jpg", "x");
    disc.write("Photos/top.jpg", "x");
    disc.makeFolder("Archive/Old/Empty");
    disc.write("Archive/Old/Deep/caf\xc3\xa9 cr\xc3\xa8me.doc", "x");
    disc.write("root.txt", "x");
    const Walked w = walk(disc.path());
    ASSERT_EQ(w.lines.size(), 5u);
    EXPECT_EQ(w.lines[0], "\"E:\\\",\"root.txt\"");
    EXPECT_EQ(w.lines[1], "\"E:\\Photos\\\",\"top.jpg\"");
    // Level 2 before level 3, and a folder holding only folders leaves no line.
    EXPECT_EQ(w.lines[2], "\"E:\\Photos\\2009\\\",\"img_001.jpg\"");
    EXPECT_EQ(w.lines[3], "\"E:\\Archive\\Old\\Deep\\\",\"caf\xc3\xa9 cr\xc3\xa8me.doc\"");
    EXPECT_EQ(w.lines[4], "4 files : 6 folders");
}

TEST(WalkEngine, TwoWalksCountFromZero) {
    TempFolder disc;
    disc.write("a/b.txt", "x");
    EXPECT_EQ(walk(disc.path()).lines.back(), "1 files : 1 folders");
    EXPECT_EQ(walk(disc.path()).lines.back(), "1 files : 1 folders");
}

TEST(WalkEngine, OddNamesStayOneLinePerFile) {
    TempFolder disc;
    disc.write("bad\nfolder/x\ry.txt", "x");
    const Walked w = walk(disc.path());
    ASSERT_EQ(w.lines.size(), 2u);
    EXPECT_EQ(w.lines[0], "\"E:\\bad?folder\\\",\"x?y.txt\"");
}

// A quote would end a field early and a backslash would read as a folder separator: both are
// written as "?", as CR and LF are, so every line reads back as its two whole fields.
TEST(WalkEngine, QuotesAndBackslashesInNamesBecomeQuestionMarks) {
    TempFolder disc;
    disc.write("say \"hi\"\\there/\"quo\"te\\x.txt", "x");
    const Walked w = walk(disc.path());
    ASSERT_EQ(w.lines.size(), 2u);
    EXPECT_EQ(w.lines[0], "\"E:\\say ?hi??there\\\",\"?quo?te?x.txt\"");
    EXPECT_EQ(common::ItemReader::split(w.lines[0]),
              (std::vector<std::string_view>{"E:\\say ?hi??there\\", "?quo?te?x.txt"}));
}

// Names come from the directory listing as bytes; the list holds them in the system's code page
// like every other text, read by the text rule (UTF-8 when valid, else windows-1252).
TEST(WalkEngine, NamesAreWrittenInTheSystemCodePage) {
    TempFolder disc;
    disc.write("caf\xc3\xa9/na\xc3\xafve \xe6\x97\xa5.txt", "x");
    disc.write("D\xe9mo.txt", "x");
    {
        const common::testing::ScopedCodePage windows(common::CodePage::Kind::Windows1252);
        const Walked w = walk(disc.path());
        ASSERT_EQ(w.lines.size(), 3u);
        EXPECT_EQ(w.lines[0], "\"E:\\\",\"D\xe9mo.txt\"");
        EXPECT_EQ(w.lines[1], "\"E:\\caf\xe9\\\",\"na\xefve ?.txt\"");
    }
    const common::testing::ScopedCodePage utf8(common::CodePage::Kind::Utf8);
    const Walked w = walk(disc.path());
    ASSERT_EQ(w.lines.size(), 3u);
    EXPECT_EQ(w.lines[0], "\"E:\\\",\"D\xc3\xa9mo.txt\"");
    EXPECT_EQ(w.lines[1], "\"E:\\caf\xc3\xa9\\\",\"na\xc3\xafve \xe6\x97\xa5.txt\"");
}

TEST(WalkEngine, SymbolicLinksAreFilesAndNeverFollowed) {
    TempFolder disc;
    disc.write("real/file.txt", "x");
    std::filesystem::create_directory_symlink(disc.path(), disc / "real" / "loop");
    std::filesystem::create_directory_symlink("/", disc / "outside");
    const Walked w = walk(disc.path());
    EXPECT_EQ(w.counts.files, 3); // file.txt, loop, outside
    EXPECT_EQ(w.counts.folders, 1);
    EXPECT_NE(std::find(w.lines.begin(), w.lines.end(), "\"E:\\\",\"outside\""), w.lines.end());
}

TEST(WalkEngine, PatternRules) {
    WalkInput input;
    EXPECT_EQ(WalkEngine::patterns(input), (std::vector<std::string>{"*.*"}));
    input.fileName = "  ";
    EXPECT_EQ(WalkEngine::patterns(input), (std::vector<std::string>{"*.*"}));
    input.fileName = "*.jpg";
    EXPECT_EQ(WalkEngine::patterns(input), (std::vector<std::string>{"*.jpg"}));
    input.exclude = {".tmp"};
    EXPECT_EQ(WalkEngine::patterns(input), (std::vector<std::string>{"*.*"}));
    input.include = {".mp3", "song"};
    EXPECT_EQ(WalkEngine::patterns(input), (std::vector<std::string>{"*.mp3*", "*song*"}));

    TempFolder disc;
    disc.write("a.JPG", "x");
    disc.write("b.txt", "x");
    disc.write("sub/c.jpg", "x");
    WalkInput jpg;
    jpg.fileName = "*.jpg";
    const Walked w = walk(disc.path(), jpg);
    EXPECT_EQ(w.lines, (std::vector<std::string>{"\"E:\\\",\"a.JPG\"", "\"E:\\sub\\\",\"c.jpg\"",
                                                 "2 files :  folders"}));
}

// Each include entry lists a folder once more, in list order, so a file that two entries match
// is listed twice; an exclude entry lists everything.
TEST(WalkEngine, IncludeAndExcludeListsAsTheFinderUsesThem) {
    TempFolder disc;
    disc.write("song.mp3", "x");
    disc.write("mix.txt.mp3", "x");
    disc.write("notes.txt", "x");
    disc.makeFolder("mp3 folder");
    WalkInput include;
    include.include = {".txt", "mp3"};
    const Walked w = walk(disc.path(), include);
    ASSERT_EQ(w.lines.size(), 5u);
    // The ".txt" pass first, then the "mp3" pass.
    EXPECT_EQ(sorted({w.lines[0], w.lines[1]}),
              (std::vector<std::string>{"\"E:\\\",\"mix.txt.mp3\"", "\"E:\\\",\"notes.txt\""}));
    EXPECT_EQ(sorted({w.lines[2], w.lines[3]}),
              (std::vector<std::string>{"\"E:\\\",\"mix.txt.mp3\"", "\"E:\\\",\"song.mp3\""}));
    EXPECT_EQ(w.lines[4], "4 files : 1 folders");
    WalkInput exclude;
    exclude.fileName = "*.txt";
    exclude.exclude = {".mp3"};
    EXPECT_EQ(walk(disc.path(), exclude).counts.files, 3);
}

TEST(WalkEngine, UnlistableFoldersAreSkippedAndCounted) {
    TempFolder disc;
    disc.write("d1/d2/lost.txt", "x");
    for (int i = 0; i < 300; ++i)
        disc.write("d1/f" + std::to_string(i), "");
    TempFolder out;
    WalkInput input;
    input.location = "E:";
    WalkEngine engine(disc.path(), input);
    // d2 is queued, then disappears before its turn, as a folder of a failing disc does.
    engine.setProgress([&](const WalkCounts&) {
        std::error_code ec;
        std::filesystem::remove_all(disc / "d1" / "d2", ec);
    });
    const WalkCounts counts = engine.run(out / "list");
    EXPECT_EQ(counts.skipped, 1);
    EXPECT_EQ(counts.files, 300);
    EXPECT_EQ(counts.folders, 2);
    const std::string bytes = TempFolder::read(out / "list");
    EXPECT_NE(bytes.find("300 files : 2 folders\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("lost.txt"), std::string::npos);
    if (::geteuid() != 0) { // permissions do not stop root
        disc.write("locked/x.txt", "x");
        std::filesystem::permissions(disc / "locked", std::filesystem::perms::none);
        WalkEngine again(disc.path(), input);
        EXPECT_EQ(again.run(out / "list2").skipped, 1);
        std::filesystem::permissions(disc / "locked", std::filesystem::perms::owner_all);
    }
}

TEST(WalkEngine, StopFlagEndsTheWalkWithASummary) {
    TempFolder disc;
    for (int i = 0; i < 600; ++i)
        disc.write("f" + std::to_string(i), "");
    std::stop_source stop;
    TempFolder out;
    WalkEngine engine(disc.path(), WalkInput{"*.*", "E:\\", {}, {}});
    engine.setStopToken(stop.get_token());
    engine.setProgress([&](const WalkCounts&) { stop.request_stop(); });
    const WalkCounts counts = engine.run(out / "list");
    EXPECT_EQ(counts.files, 256);
    EXPECT_NE(TempFolder::read(out / "list").find("256 files :  folders\r\n"), std::string::npos);
}

TEST(WalkEngine, UnreadableRootOrWorkFileIsAnError) {
    TempFolder disc;
    EXPECT_THROW(WalkEngine(disc / "none", {}).run(disc / "list"), common::Error);
    EXPECT_THROW(WalkEngine(disc.path(), {}).run(disc / "no" / "list"), common::Error);
}

TEST(WalkEngine, FailedWalksLeaveNoDescriptorOpen) {
    TempFolder disc;
    disc.write("a/b.txt", "x");
    const std::size_t before = common::testing::openDescriptors();
    for (int i = 0; i < 10; ++i) {
        EXPECT_THROW(WalkEngine(disc.path(), {}).run(disc / "no" / "list"), common::Error);
        EXPECT_THROW(WalkEngine(disc / "none", {}).run(disc / "list"), common::Error);
    }
    EXPECT_EQ(common::testing::openDescriptors(), before);
}

namespace {
// A walk of `root` with at most `limit` folders held open; the lines and the counts.
Walked walkHolding(const std::filesystem::path& root, std::size_t limit,
                   const WalkEngine::Progress& progress = {}) {
    TempFolder out;
    WalkInput input;
    input.location = "E:\\";
    WalkEngine engine(root, input);
    engine.setFolderLimit(limit);
    engine.setProgress(progress);
    Walked w;
    w.counts = engine.run(out / "list");
    std::istringstream in(TempFolder::read(out / "list"));
    for (std::string line; std::getline(in, line);)
        w.lines.push_back(line);
    return w;
}
} // namespace

// A folder swapped for a link to somewhere else after its parent was listed (here while the
// parent's own files are written) is not followed: the walk never leaves the medium.
TEST(WalkEngine, AFolderSwappedForALinkAfterListingIsNotFollowed) {
    for (const std::size_t limit : {std::size_t(1), std::size_t(100)}) {
        TempFolder disc;
        TempFolder elsewhere;
        elsewhere.write("y/secret.txt", "x");
        disc.write("x/y/z.txt", "x");
        for (int i = 0; i < 300; ++i)
            disc.write("x/f" + std::to_string(i), "");
        disc.makeFolder("w/v");
        bool swapped = false;
        const Walked w = walkHolding(disc.path(), limit, [&](const WalkCounts&) {
            if (swapped)
                return;
            std::filesystem::rename(disc / "x", disc / "x.moved");
            std::filesystem::create_directory_symlink(elsewhere.path(), disc / "x");
            swapped = true;
        });
        ASSERT_TRUE(swapped);
        for (const auto& line : w.lines)
            EXPECT_EQ(line.find("secret"), std::string::npos) << line;
        // Held open, x still leads to its own y; pushed out, x is a link now and y is skipped.
        const bool listedZ =
            std::any_of(w.lines.begin(), w.lines.end(), [](const std::string& line) {
                return line.find("\"E:\\x\\y\\\",\"z.txt\"") != std::string::npos;
            });
        EXPECT_EQ(listedZ, limit == 100) << limit;
        EXPECT_EQ(w.counts.skipped, limit == 100 ? 0 : 1) << limit;
    }
}

namespace {
// Makes `levels` nested folders named `name` under `root`, one name at a time (the whole path
// is longer than the system takes), with one file at the bottom; removes them again.
class DeepTree {
public:
    DeepTree(const std::filesystem::path& root, const std::string& name, int levels)
        : name_(name), levels_(levels) {
        common::FileDescriptor fd(::open(root.c_str(), O_RDONLY | O_DIRECTORY));
        for (int i = 0; i < levels; ++i) {
            ::mkdirat(fd.get(), name.c_str(), 0755);
            fd.reset(::openat(fd.get(), name.c_str(), O_RDONLY | O_DIRECTORY));
        }
        common::FileDescriptor file(::openat(fd.get(), "bottom.txt", O_WRONLY | O_CREAT, 0644));
        root_.reset(::open(root.c_str(), O_RDONLY | O_DIRECTORY));
    }
    ~DeepTree() { remove(root_.get(), levels_); }

private:
    void remove(int parent, int levels) {
        if (levels == 0) {
            ::unlinkat(parent, "bottom.txt", 0);
            return;
        }
        common::FileDescriptor fd(::openat(parent, name_.c_str(), O_RDONLY | O_DIRECTORY));
        remove(fd.get(), levels - 1);
        ::unlinkat(parent, name_.c_str(), AT_REMOVEDIR);
    }

    std::string name_;
    int levels_;
    common::FileDescriptor root_;
};
} // namespace

TEST(WalkEngine, ATreeDeeperThanTheLongestPathIsWalkedWhole) {
    TempFolder disc;
    const std::string name(50, 'd');
    const int levels = 120; // 6,120 characters of path, more than PATH_MAX
    const DeepTree tree(disc.path(), name, levels);
    for (const std::size_t limit : {std::size_t(3), std::size_t(1000)}) {
        const Walked w = walkHolding(disc.path(), limit);
        EXPECT_EQ(w.counts.skipped, 0);
        ASSERT_EQ(w.lines.size(), 2u);
        std::string folder = "E:\\";
        for (int i = 0; i < levels; ++i)
            folder += name + "\\";
        EXPECT_EQ(w.lines[0], "\"" + folder + "\",\"bottom.txt\"\r");
        EXPECT_EQ(w.lines[1], "1 files : 120 folders\r");
    }
}

// Holding one folder open or many, the list is the same byte for byte.
TEST(WalkEngine, TheListDoesNotDependOnHowManyFoldersAreHeldOpen) {
    TempFolder disc;
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            for (int c = 0; c < 3; ++c)
                disc.write("a" + std::to_string(a) + "/b" + std::to_string(b) + "/c" +
                               std::to_string(c) + "/file.txt",
                           "x");
    const Walked many = walkHolding(disc.path(), 1000);
    const Walked one = walkHolding(disc.path(), 1);
    EXPECT_EQ(one.lines, many.lines);
    EXPECT_EQ(many.counts.folders, 4 + 16 + 48);
}

namespace {
struct Seen : dravik::walker::WalkObserver {
    std::map<std::string, dravik::walker::FileStat> files;
    void fileListed(std::string_view folder, std::string_view name,
                    const dravik::walker::FileStat& stat) override {
        files[std::string(folder) + std::string(name)] = stat;
    }
};
} // namespace

TEST(WalkEngine, AnObserverIsToldEachListedFileWithItsSizeAndTime) {
    TempFolder disc;
    disc.write("a.txt", "12345");
    disc.write("Photos/2009/b.jpg", std::string(70000, 'b'));
    disc.makeFolder("Empty");
    ::symlink("a.txt", (disc / "link").c_str());
    const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    std::filesystem::last_write_time(disc / "a.txt", when);
    struct stat st {};
    ASSERT_EQ(::stat((disc / "a.txt").c_str(), &st), 0);

    TempFolder out;
    WalkInput input;
    input.location = "E:\\";
    WalkEngine engine(disc.path(), input);
    Seen seen;
    engine.setObserver(&seen);
    const auto counts = engine.run(out / "File.List.Qel");
    EXPECT_EQ(counts.files, 3);
    ASSERT_EQ(seen.files.size(), 3u);
    EXPECT_EQ(seen.files["E:\\a.txt"].size, 5);
    EXPECT_EQ(seen.files["E:\\a.txt"].modifiedNs,
              st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec);
    EXPECT_EQ(seen.files["E:\\Photos\\2009\\b.jpg"].size, 70000);
    EXPECT_EQ(seen.files["E:\\link"].size, 5); // the link itself, never followed
    // The list is the same with or without an observer.
    const std::string withFacts = TempFolder::read(out / "File.List.Qel");
    WalkEngine(disc.path(), input).run(out / "plain");
    EXPECT_EQ(TempFolder::read(out / "plain"), withFacts);
}
