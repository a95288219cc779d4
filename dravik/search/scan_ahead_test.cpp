#include "common/testing/temp_folder.h"
#include "dravik/search/scan_ahead.h"
#include "dravik/search/word_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <thread>

using common::testing::TempFolder;
using namespace dravik::search;

namespace {

constexpr std::size_t Block = 64;

class ScanAheadTest : public ::testing::Test {
protected:
    TempFolder data;
    SourceLocator locator{data.path(), SourceMode::Discs};
    LineMatcher lines{WordList::split("kamera|snap"), {}};
    CandidateScan scan{lines.upperWords()};
    std::function<bool()> always = [] { return true; };

    // What a scan found, line by line: "line number: bytes (word)".
    static std::vector<std::string> found(const ScannedSource& scanned) {
        std::vector<std::string> out;
        for (const ScannedSource::Found& f : scanned.found())
            out.push_back(std::to_string(f.linesBefore + 1) + ": " + std::string(scanned.line(f)) +
                          " (" + std::to_string(f.word) + ")");
        return out;
    }
    // Lines of about 20 bytes, a hit on every fifth, enough to fill several blocks.
    void disc(const std::string& name, int count) {
        std::string bytes;
        for (int i = 1; i <= count; ++i)
            bytes += "\"E:\\\",\"" + std::string(i % 5 == 0 ? "kamera" : "beach") + "-" +
                     std::to_string(i) + ".jpg\"\r\n";
        data.write(name + ".rtf", bytes);
    }
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(ScanAheadTest, AScanFindsWhatTheSearchWouldWithItsLineNumbersAcrossBlocks) {
    data.write("D.rtf", "\"E:\\\",\"a.jpg\"\r\n\"E:\\\",\"Snap.jpg\"\r\n\r\nplain\n"
                        "\"E:\\Photos\\\",\"KAMERA snap.jpg\"\r\nno line end kamera");
    SourceScanner scanner(locator, lines, scan, Block, ScanAhead::MaxFound);
    const auto scanned = scanner.scan("d", always);
    ASSERT_TRUE(scanned);
    EXPECT_EQ(found(*scanned),
              Lines({"2: \"E:\\\",\"Snap.jpg\" (1)", "5: \"E:\\Photos\\\",\"KAMERA snap.jpg\" (0)",
                     "6: no line end kamera (0)"}));
    EXPECT_EQ(scanned->lines(), 6);
    EXPECT_EQ(scanned->key(scanned->found()[1]), "\"E:\\PHOTOS\\\",\"KAMERA SNAP.JPG\"");

    disc("Many", 50);
    const auto many = scanner.scan("Many", always);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->found().size(), 10u);
    EXPECT_EQ(found(*many)[9], "50: \"E:\\\",\"kamera-50.jpg\" (0)");
    EXPECT_EQ(many->lines(), 50);
}

// Whatever needs the search's own handling (asking about a failure, telling of a long line) or
// would hold too much is given back, to be read in its turn.
TEST_F(ScanAheadTest, AnythingButThePlainCaseIsGivenBack) {
    SourceScanner scanner(locator, lines, scan, Block, 100);
    EXPECT_FALSE(scanner.scan("Missing", always));
    ASSERT_EQ(::mkdir((data.path() / "Folder.rtf").c_str(), 0700), 0);
    EXPECT_FALSE(scanner.scan("Folder", always));
    data.write("Long.rtf", "kamera\r\n" + std::string(Block, 'x') + "\r\n");
    EXPECT_FALSE(scanner.scan("Long", always));
    disc("Many", 50); // ten rows of about 40 bytes with their keys: more than 100
    EXPECT_FALSE(scanner.scan("Many", always));
    disc("Few", 9);
    EXPECT_TRUE(scanner.scan("Few", always));
    EXPECT_FALSE(scanner.scan("Few", [] { return false; }));
}

TEST_F(ScanAheadTest, HelpersKeepWithinTheWindowAndHandOverInOrder) {
    QStringList sources;
    for (int i = 0; i < 3 * ScanAhead::Window; ++i) {
        disc("Disc " + std::to_string(i), 5 * (i + 1));
        sources << QString("Disc %1").arg(i);
    }
    sources[4] = "Missing";
    ScanAhead ahead(locator, sources, lines, scan, 1, 0, Block);
    // A helper that never gets that far fails by the test's time limit.
    while (ahead.finished() < ScanAhead::Window)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(ahead.finished(), ScanAhead::Window); // and waits there for the search
    for (int i = 0; i < sources.size(); ++i) {
        std::unique_ptr<ScannedSource> scanned;
        const ScanAhead::Turn turn = ahead.take(i, scanned, always);
        if (i < ScanAhead::Window) {
            EXPECT_EQ(turn, i == 4 ? ScanAhead::Turn::Yours : ScanAhead::Turn::Scanned) << i;
        }
        if (turn == ScanAhead::Turn::Scanned) {
            EXPECT_EQ(static_cast<int>(scanned->found().size()), i + 1) << i;
            EXPECT_EQ(scanned->lines(), 5 * (i + 1)) << i;
        }
    }
}

TEST_F(ScanAheadTest, NoHelpersLeaveEverySourceToTheSearch) {
    disc("A", 5);
    disc("B", 5);
    ScanAhead ahead(locator, {"A", "B"}, lines, scan, 0, 0, Block);
    std::unique_ptr<ScannedSource> scanned;
    EXPECT_EQ(ahead.take(0, scanned, always), ScanAhead::Turn::Yours);
    EXPECT_EQ(ahead.take(1, scanned, always), ScanAhead::Turn::Yours);
    EXPECT_FALSE(scanned);
}
