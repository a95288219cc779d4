#include "common/testing/scoped_code_page.h"
#include "common/testing/temp_folder.h"
#include "dravik/search/search_matcher.h"
#include "dravik/search/word_automaton.h"
#include "dravik/search/word_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using common::CodePage::Kind;
using common::testing::ScopedCodePage;
using common::testing::TempFolder;
using namespace dravik::search;

namespace {

// Records what a search tells its caller.
struct Recorder : SearchObserver {
    std::vector<std::string> rows;
    std::vector<std::string> events;
    std::vector<long long> hits;
    std::function<FailureAnswer(const SearchFailure&)> onFailure;
    std::function<bool()> stop;

    void sourceStarted(const SearchProgress& p) override {
        events.push_back("start " + p.source.toStdString());
    }
    void sourceFinished(const SearchProgress& p, SourceState state) override {
        const char* how = state == SourceState::Read      ? "read"
                          : state == SourceState::Missing ? "missing"
                                                          : "skipped";
        events.push_back(std::string(how) + " " + p.source.toStdString() + " " +
                         std::to_string(p.examined));
    }
    void rowFound(std::string_view row, const SearchProgress& p) override {
        rows.emplace_back(row);
        hits.push_back(p.sourceHits);
    }
    void lineSkipped(const SearchProgress& p, long long line) override {
        events.push_back("long " + p.source.toStdString() + " " + std::to_string(line));
    }
    bool stopRequested() override { return stop && stop(); }
    FailureAnswer failed(const SearchFailure& f) override {
        events.push_back("failed " + f.source.toStdString() + " " +
                         std::to_string(f.error.number()));
        return onFailure ? onFailure(f) : FailureAnswer::EndSearch;
    }
};

// Every case runs twice: with the calling thread reading every source, and with helper threads
// searching sources ahead of their turn, which must not change a row, count or event.
class SearchMatcherTest : public ::testing::TestWithParam<int> {
protected:
    TempFolder data;
    Recorder seen;
    SearchSummary summary;

    // A disc list of file lines (folder, name) and its summary line, CR LF each.
    void disc(const std::string& name,
              const std::vector<std::pair<std::string, std::string>>& files,
              const std::string& summaryLine = "") {
        std::string bytes;
        for (const auto& [folder, file] : files)
            bytes += "\"" + folder + "\",\"" + file + "\"\r\n";
        bytes += (summaryLine.empty() ? std::to_string(files.size()) + " files : 1 folders"
                                      : summaryLine) +
                 "\r\n";
        data.write(name + ".rtf", bytes);
    }

    std::vector<std::string> search(const QString& text, const QStringList& sources,
                                    SearchOptions options = {}, SourceMode mode = SourceMode::Discs,
                                    std::size_t blockSize = SearchMatcher::BlockSize,
                                    std::size_t maxLine = SearchMatcher::MaxLine) {
        seen.rows.clear();
        seen.events.clear();
        seen.hits.clear();
        SearchRequest request{WordList::split(text), sources, mode, data.path(), options};
        summary = SearchMatcher(request, blockSize, maxLine, GetParam()).run(seen);
        return seen.rows;
    }
};

using Rows = std::vector<std::string>;

} // namespace

INSTANTIATE_TEST_SUITE_P(Threads, SearchMatcherTest, ::testing::Values(0, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? std::string("Alone")
                                                    : std::string("WithHelpers");
                         });

TEST(WordList, SplitsAtEveryBarKeepingEmptyPieces) {
    EXPECT_EQ(WordList::split("kamera|camera|snap"), QStringList({"kamera", "camera", "snap"}));
    EXPECT_EQ(WordList::split("word"), QStringList({"word"}));
    EXPECT_EQ(WordList::split("a||b|"), QStringList({"a", "", "b", ""}));
    EXPECT_EQ(WordList::split(""), QStringList({""}));
}

TEST_P(SearchMatcherTest, SeveralWordsOnALineGiveOneRowAndTheCountsAddUp) {
    disc("Holiday", {{"E:\\Photos\\", "camera snap.jpg"}, {"E:\\", "readme.txt"}});
    EXPECT_EQ(search("kamera|camera|snap", {"Holiday"}),
              Rows({"*Holiday* \"E:\\Photos\\\",\"camera snap.jpg\""}));
    EXPECT_EQ(summary.ending, SearchEnding::Finished);
    EXPECT_EQ(summary.rows, 1);
    EXPECT_EQ(summary.examined, 9); // three lines, three words each
    EXPECT_EQ(seen.events, (Rows{"start Holiday", "read Holiday 9"}));
}

TEST_P(SearchMatcherTest, SummaryLinesAreLinesToo) {
    disc("A", {{"E:\\", "a.txt"}}, "1 files : 2 folders");
    disc("B", {{"E:\\", "b.txt"}}, "1 files : 2 folders");
    disc("C", {{"E:\\", "c.txt"}, {"E:\\", "d.txt"}}, "2 files : 2 FOLDERS");
    // Equal summaries (also in other letters) give one row, carrying the first disc.
    EXPECT_EQ(search("files", {"A", "B", "C"}),
              Rows({"*A* 1 files : 2 folders", "*C* 2 files : 2 FOLDERS"}));
}

TEST_P(SearchMatcherTest, EachLineOnceOrEachFileNameOnce) {
    disc("One", {{"E:\\Photos\\", "beach.jpg"}, {"E:\\Beach\\", "sun.jpg"}});
    disc("Two", {{"E:\\Photos\\", "beach.jpg"}, {"E:\\Other\\", "BEACH.JPG"}});
    EXPECT_EQ(search("beach", {"One", "Two"}),
              Rows({"*One* \"E:\\Photos\\\",\"beach.jpg\"", "*One* \"E:\\Beach\\\",\"sun.jpg\"",
                    "*Two* \"E:\\Other\\\",\"BEACH.JPG\""}));
    EXPECT_EQ(seen.hits, (std::vector<long long>{1, 2, 1}));

    // File names: a word only in the folder gives nothing; one name in two folders or on two
    // discs is reported once.
    EXPECT_EQ(search("beach", {"One", "Two"}, {.rowRule = RowRule::EachFileName}),
              Rows({"*One* \"E:\\Photos\\\",\"beach.jpg\""}));
    EXPECT_EQ(search("sun", {"One"}, {.rowRule = RowRule::EachFileName}),
              Rows({"*One* \"E:\\Beach\\\",\"sun.jpg\""}));
}

TEST_P(SearchMatcherTest, WholeWordsStandBetweenBoundaries) {
    disc("D", {{"E:\\Photos\\", "beach.jpg"},
               {"E:\\", "it's-the_end.txt"},
               {"E:\\x\\", "a'b'c.doc"},
               {"E:\\", "endless.txt"}});
    const SearchOptions whole{.wordRule = WordRule::WholeWord};
    // Backslashes on both sides; the double quote before a file name is no boundary; the full
    // stop of the extension is.
    EXPECT_EQ(search("photos", {"D"}, whole), Rows({"*D* \"E:\\Photos\\\",\"beach.jpg\""}));
    EXPECT_EQ(search("beach", {"D"}, whole), Rows());
    EXPECT_EQ(search("end", {"D"}, whole), Rows({"*D* \"E:\\\",\"it's-the_end.txt\""}));
    EXPECT_EQ(search("b", {"D"}, whole), Rows({"*D* \"E:\\x\\\",\"a'b'c.doc\""}));
    // Only the first occurrence counts: "end" first stands inside "endless" on that line.
    disc("F", {{"E:\\endless\\", "end.txt"}});
    EXPECT_EQ(search("end", {"F"}, whole), Rows());
    // A match at the start or the end of a line has a boundary there.
    data.write("G.rtf", "start here\r\nthe end\r\n");
    EXPECT_EQ(search("start|end", {"G"}, whole), Rows({"*G* start here", "*G* the end"}));
}

TEST_P(SearchMatcherTest, CaseSensitiveLooksAtTheFirstOccurrenceOnly) {
    disc("D", {{"E:\\BEACH\\", "Beach.jpg"}, {"E:\\x\\", "Beach.jpg"}});
    EXPECT_EQ(search("Beach", {"D"}, {.caseRule = CaseRule::ExactCase}),
              Rows({"*D* \"E:\\x\\\",\"Beach.jpg\""}));
    EXPECT_EQ(search("beach", {"D"}, {.caseRule = CaseRule::ExactCase}), Rows());
}

TEST_P(SearchMatcherTest, EmptyWordsFindEveryLineButNotAsWholeWords) {
    disc("D", {{"E:\\", "a.txt"}}, "1 files : 1 folders");
    data.write("E.rtf", "\r\nplain\r\n");
    EXPECT_EQ(search("zzz|", {"D", "E"}),
              Rows({"*D* \"E:\\\",\"a.txt\"", "*D* 1 files : 1 folders", "*E* ", "*E* plain"}));
    EXPECT_EQ(summary.examined, 8);
    // A disc list line begins with a double quote, which is no boundary; an empty line has
    // nothing after the match, which counts as one.
    EXPECT_EQ(search("||zzz", {"D", "E"}, {.wordRule = WordRule::WholeWord}), Rows({"*E* "}));
    EXPECT_EQ(summary.examined, 12);
}

TEST_P(SearchMatcherTest, NoWordsReadEverySourceAndFindNothing) {
    disc("D", {{"E:\\", "a.txt"}});
    SearchRequest request{{}, {"D"}, SourceMode::Discs, data.path(), {}};
    summary = SearchMatcher(request, SearchMatcher::BlockSize, SearchMatcher::MaxLine, GetParam())
                  .run(seen);
    EXPECT_EQ(summary.rows, 0);
    EXPECT_EQ(summary.examined, 0);
    EXPECT_EQ(seen.events, (Rows{"start D", "read D 0"}));
}

TEST_P(SearchMatcherTest, ZeroResultsAndAMissingSourceSaySoQuietly) {
    disc("D", {{"E:\\", "a.txt"}});
    EXPECT_EQ(search("nothing", {"Gone", "D"}), Rows());
    EXPECT_EQ(summary.ending, SearchEnding::Finished);
    EXPECT_EQ(seen.events, (Rows{"missing Gone 0", "start D", "read D 2"}));
}

TEST_P(SearchMatcherTest, DiscListsAreFoundWithoutRegardToCase) {
    data.write("HOLIDAY.RTF", "beach\r\n");
    EXPECT_EQ(search("beach", {"Holiday"}), Rows({"*Holiday* beach"}));
}

TEST_P(SearchMatcherTest, ExtensionModeReadsShardsThenTheSplittersOutput) {
    data.write("Shard-9/JPG.rtf", "beach.jpg\r\n");
    data.write("TheShards-13/JPG.rtf", "not this one beach\r\n");
    data.write("TheShards-13/txt.rtf", "beach.txt\r\n");
    EXPECT_EQ(search("beach", {"JPG", "TXT", "DOC"}, {}, SourceMode::Extensions),
              Rows({"*JPG* beach.jpg", "*TXT* beach.txt"}));
    EXPECT_EQ(seen.events.back(), "missing DOC 2");
}

TEST_P(SearchMatcherTest, StopEndsTheSearchAfterTheCurrentTest) {
    disc("A", {{"E:\\", "x1"}, {"E:\\", "x2"}, {"E:\\", "x3"}});
    disc("B", {{"E:\\", "x4"}});
    seen.stop = [&] { return seen.rows.size() == 2; };
    EXPECT_EQ(search("zz|x", {"A", "B"}), Rows({"*A* \"E:\\\",\"x1\"", "*A* \"E:\\\",\"x2\""}));
    EXPECT_EQ(summary.ending, SearchEnding::Stopped);
    EXPECT_EQ(summary.examined, 4); // line 1: two words; line 2: up to the word that matched
    EXPECT_EQ(seen.events, (Rows{"start A"}));
}

TEST_P(SearchMatcherTest, FailuresAreRetriedSkippedOrEndTheSearch) {
    disc("A", {{"E:\\", "x1"}});
    data.makeFolder("B.rtf"); // a folder in place of a list
    disc("C", {{"E:\\", "x3"}});
    // The error rule: two retries, then the end.
    int failures = 0;
    seen.onFailure = [&](const SearchFailure& f) {
        EXPECT_EQ(f.step, FailedStep::Opening);
        EXPECT_EQ(f.file, data / "B.rtf");
        return ++failures < 3 ? FailureAnswer::Retry : FailureAnswer::EndSearch;
    };
    EXPECT_EQ(search("x", {"A", "B", "C"}), Rows({"*A* \"E:\\\",\"x1\""}));
    EXPECT_EQ(summary.ending, SearchEnding::Failed);
    EXPECT_EQ(seen.events,
              (Rows{"start A", "read A 2", "failed B 75", "failed B 75", "failed B 75"}));

    seen.onFailure = [](const SearchFailure&) { return FailureAnswer::SkipSource; };
    EXPECT_EQ(search("x", {"A", "B", "C"}).size(), 2u);
    EXPECT_EQ(summary.ending, SearchEnding::Finished);
    EXPECT_EQ(seen.events[3], "skipped B 2");

    // A retry after the cause is gone goes on with that source.
    seen.onFailure = [&](const SearchFailure&) {
        std::filesystem::remove(data / "B.rtf");
        data.write("B.rtf", "x2\r\n");
        return FailureAnswer::Retry;
    };
    EXPECT_EQ(search("x", {"A", "B", "C"}),
              Rows({"*A* \"E:\\\",\"x1\"", "*B* x2", "*C* \"E:\\\",\"x3\""}));
}

TEST_P(SearchMatcherTest, NonAsciiLinesInBothCodePages) {
    data.write("U.rtf", "\"E:\\\",\"Caf\xc3\xa9 M\xc3\xbcller.mp3\"\r\n"); // UTF-8
    data.write("W.rtf", "\"E:\\\",\"CAF\xc9 m\xfcller 2.mp3\"\r\n");       // windows-1252
    data.write("V.rtf", "\"E:\\\",\"caf\xc3\xa9 M\xc3\xbcller.mp3\"\r\n"); // same text as U
    const QString cafe = QString::fromUtf8("caf\xc3\xa9");
    EXPECT_EQ(search(cafe, {"U", "W"}), Rows({"*U* \"E:\\\",\"Caf\xc3\xa9 M\xc3\xbcller.mp3\"",
                                              "*W* \"E:\\\",\"CAF\xc3\x89 m\xc3\xbcller 2.mp3\""}));
    // Positions stay put, so the case test looks at the bytes the match was found at.
    EXPECT_EQ(
        search(QString::fromUtf8("M\xc3\xbcller"), {"U", "W"}, {.caseRule = CaseRule::ExactCase}),
        Rows({"*U* \"E:\\\",\"Caf\xc3\xa9 M\xc3\xbcller.mp3\""}));
    EXPECT_EQ(search(QString::fromUtf8("\xc3\xa9"), {"U", "W"}, {.wordRule = WordRule::WholeWord}),
              Rows());
    // One text read from either code page is one result.
    EXPECT_EQ(search(cafe, {"U", "V"}).size(), 1u);
    data.write("X.rtf", "\"E:\\Other\\\",\"caf\xe9 m\xfcller.MP3\"\r\n");
    EXPECT_EQ(
        search(QString::fromUtf8("m\xc3\xbcller"), {"X", "U"}, {.rowRule = RowRule::EachFileName}),
        Rows({"*X* \"E:\\Other\\\",\"caf\xc3\xa9 m\xc3\xbcller.MP3\""}));
}

TEST_P(SearchMatcherTest, LinesAcrossBlocksAndLongLines) {
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big +=
            "\"E:\\Folder " + std::to_string(i) + "\\\",\"file" + std::to_string(i) + ".txt\"\r\n";
    big += std::string(1u << 20, 'x') + "needle" + "\r\n"; // longer than a block
    big += "last line needle";                             // no line end
    data.write("Big.rtf", big);
    for (std::size_t block : {std::size_t(64), std::size_t(4096), SearchMatcher::BlockSize}) {
        const Rows rows = search("file4999|needle", {"Big"}, {}, SourceMode::Discs, block);
        ASSERT_EQ(rows.size(), 3u) << block;
        EXPECT_EQ(rows[0], "*Big* \"E:\\Folder 4999\\\",\"file4999.txt\"");
        EXPECT_EQ(rows[1].size(), 6 + (1u << 20) + 6);
        EXPECT_EQ(rows[2], "*Big* last line needle");
        EXPECT_EQ(summary.examined, 2 * 5002);
    }
}

TEST_P(SearchMatcherTest, BareLineFeedsAndBinaryBytes) {
    data.write("D.rtf", std::string("one\ntwo\r\nth\0ree\r\n", 17));
    EXPECT_EQ(search("o|ree", {"D"}), Rows({"*D* one", "*D* two", std::string("*D* th\0ree", 10)}));
    EXPECT_EQ(summary.examined, 6);
}

TEST_P(SearchMatcherTest, EveryLetterIsUpperCasedDotlessIAndLongSIncluded) {
    disc("T", {{"E:\\K\xc4\xb1rm\xc4\xb1z\xc4\xb1\\", "elma.jpg"},
               {"E:\\", "\xc5\xbfoup k\xc4\xb1rm\xc4\xb1z\xc4\xb1-elma.txt"},
               {"E:\\\xc9\x90x\\", "kirmizi.txt"}});
    EXPECT_EQ(search("KIRMIZI", {"T"}),
              Rows({"*T* \"E:\\K\xc4\xb1rm\xc4\xb1z\xc4\xb1\\\",\"elma.jpg\"",
                    "*T* \"E:\\\",\"\xc5\xbfoup k\xc4\xb1rm\xc4\xb1z\xc4\xb1-elma.txt\"",
                    "*T* \"E:\\\xc9\x90x\\\",\"kirmizi.txt\""}));
    EXPECT_EQ(search("SOUP", {"T"}),
              Rows({"*T* \"E:\\\",\"\xc5\xbfoup k\xc4\xb1rm\xc4\xb1z\xc4\xb1-elma.txt\""}));
    // The case test looks at the characters the upper-cased word came from.
    EXPECT_EQ(search(QString::fromUtf8("k\xc4\xb1rm\xc4\xb1z\xc4\xb1"), {"T"},
                     {.caseRule = CaseRule::ExactCase}),
              Rows({"*T* \"E:\\\",\"\xc5\xbfoup k\xc4\xb1rm\xc4\xb1z\xc4\xb1-elma.txt\""}));
    EXPECT_EQ(search("kirmizi", {"T"}, {.caseRule = CaseRule::ExactCase}),
              Rows({"*T* \"E:\\\xc9\x90x\\\",\"kirmizi.txt\""}));
    // Whole words after letters whose upper case is shorter (ı) or longer (ɐ) than they are.
    const SearchOptions whole{.wordRule = WordRule::WholeWord};
    EXPECT_EQ(search("elma|x", {"T"}, whole),
              Rows({"*T* \"E:\\\",\"\xc5\xbfoup k\xc4\xb1rm\xc4\xb1z\xc4\xb1-elma.txt\""}));
    EXPECT_EQ(search("lma|zi|ma", {"T"}, whole), Rows());
    EXPECT_EQ(search(QString::fromUtf8("\xe2\xb1\xafX"), {"T"}, whole),
              Rows({"*T* \"E:\\\xc9\x90x\\\",\"kirmizi.txt\""}));
    // The file-name part, and its key, in a line whose upper case is shorter.
    EXPECT_EQ(search("kirmizi", {"T"}, {.rowRule = RowRule::EachFileName}),
              Rows({"*T* \"E:\\\",\"\xc5\xbfoup k\xc4\xb1rm\xc4\xb1z\xc4\xb1-elma.txt\"",
                    "*T* \"E:\\\xc9\x90x\\\",\"kirmizi.txt\""}));
}

TEST_P(SearchMatcherTest, OneTextInEitherEncodingIsOneRowMicroAndHookedFIncluded) {
    data.write("U.rtf", "\"E:\\\",\"\xc2\xb5-law \xc6\x92ile.wav\"\r\n"); // UTF-8
    data.write("W.rtf", "\"E:\\\",\"\xb5-law \x83ile.wav\"\r\n");         // windows-1252
    EXPECT_EQ(search("law", {"U", "W"}), Rows({"*U* \"E:\\\",\"\xc2\xb5-law \xc6\x92ile.wav\""}));
    EXPECT_EQ(search("wav", {"W", "U"}, {.rowRule = RowRule::EachFileName}).size(), 1u);
    EXPECT_EQ(seen.rows[0].substr(0, 4), "*W* ");
    // The upper case of µ is the Greek capital mu, in a list of either encoding.
    EXPECT_EQ(search(QString::fromUtf8("\xce\x9c-LAW \xc6\x91"), {"W", "U"}).size(), 1u);
    EXPECT_EQ(seen.rows[0].substr(0, 4), "*W* ");
    EXPECT_EQ(
        search(QString::fromUtf8("\xc2\xb5-law"), {"W"}, {.caseRule = CaseRule::ExactCase}).size(),
        1u);
}

// Ten thousand words that find nothing, then the words of a search of a few: the rows are those
// of the few, found the way few words are found.
TEST_P(SearchMatcherTest, ManyWordsFindWhatFewWordsFind) {
    disc("Holiday", {{"E:\\Photos\\K\xc4\xb1\xc5\x9f\\", "camera snap.jpg"},
                     {"E:\\", "readme.txt"},
                     {"E:\\Music\\", "Caf\xc3\xa9 del Mar.mp3"},
                     {"E:\\x\\", "camerasnap.doc"}});
    data.write("Old.rtf", "\"E:\\\",\"CAF\xc9 DEL MAR.MP3\"\r\n\"E:\\\",\"kamera\"\r\n");
    // Words that overlap, hold one another or share a beginning or an end.
    const QStringList few = {"snap",
                             "nap",
                             "camera",
                             QString::fromUtf8("CAF\xc3\x89"),
                             "kamera",
                             "ame",
                             QString::fromUtf8("KI\xc5\x9e")};
    static_assert(LineMatcher::ManyWords > 7 && CandidateScan::ManyRuns > 7);
    QStringList many;
    for (int i = 0; i < 10000; ++i)
        many << QString("w%1q").arg(i * 7919 % 100000);
    many += few;
    for (const SearchOptions options :
         {SearchOptions{}, SearchOptions{.wordRule = WordRule::WholeWord},
          SearchOptions{.caseRule = CaseRule::ExactCase},
          SearchOptions{.rowRule = RowRule::EachFileName}}) {
        const Rows fewRows = search(few.join('|'), {"Holiday", "Old"}, options);
        EXPECT_FALSE(fewRows.empty());
        EXPECT_EQ(search(many.join('|'), {"Holiday", "Old"}, options), fewRows);
        EXPECT_EQ(summary.examined, 7 * 10007);
    }
}

// The pre-filter's premise: outside ASCII only these two letters upper-case into ASCII.
TEST(CandidateScan, OnlyDotlessIAndLongSUpperCaseToAscii) {
    std::vector<char32_t> toAscii;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (QChar::toUpper(c) < 0x80)
            toAscii.push_back(c);
    }
    EXPECT_EQ(toAscii, (std::vector<char32_t>{0x131, 0x17F}));
}

TEST(WordAutomaton, FindsTheFirstOccurrenceOfEveryWordInTheWordsOrder) {
    WordAutomaton words({"HE", "SHE", "HIS", "HERS", "", "HE", "E", "XYZ", "\xc4\xb0S"});
    std::vector<WordAutomaton::Occurrence> found;
    const auto pairs = [&] {
        std::vector<std::pair<int, int>> out;
        for (const auto& o : found)
            out.emplace_back(o.word, o.at);
        return out;
    };
    words.firstOccurrences("USHERS HIS HE \xc4\xb0S", found);
    EXPECT_EQ(pairs(), (std::vector<std::pair<int, int>>{
                           {0, 2}, {1, 1}, {2, 7}, {3, 2}, {4, 0}, {5, 2}, {6, 3}, {8, 14}}));
    // Each text on its own: what the last one found counts for nothing.
    words.firstOccurrences("HE", found);
    EXPECT_EQ(pairs(), (std::vector<std::pair<int, int>>{{0, 0}, {4, 0}, {5, 0}, {6, 1}}));
    words.firstOccurrences("", found);
    EXPECT_EQ(pairs(), (std::vector<std::pair<int, int>>{{4, 0}}));
}

TEST_P(SearchMatcherTest, EachRowIsWhollyInTheSystemCodePage) {
    // A list made on Windows in a UTF-8 catalogue: the disc name and the line agree.
    const QString coin = QString::fromUtf8("M\xc3\xbcnze");
    data.write("M\xc3\xbcnze.rtf", "\"E:\\\",\"M\xfcnze \x80 5.jpg\"\r\n");
    data.write("Utf.rtf", "\"E:\\\",\"Caf\xc3\xa9 \xc5\x82\xc3\xb3"
                          "d\xc5\xba.jpg\"\r\n");
    {
        const ScopedCodePage utf8(Kind::Utf8);
        EXPECT_EQ(search("jpg", {coin, "Utf"}),
                  Rows({"*M\xc3\xbcnze* \"E:\\\",\"M\xc3\xbcnze \xe2\x82\xac 5.jpg\"",
                        "*Utf* \"E:\\\",\"Caf\xc3\xa9 \xc5\x82\xc3\xb3"
                        "d\xc5\xba.jpg\""}));
    }
    // In windows-1252 a UTF-8 line is re-encoded; a letter the code page lacks becomes "?".
    const ScopedCodePage cp1252(Kind::Windows1252);
    EXPECT_EQ(search("jpg", {coin, "Utf"}),
              Rows({"*M\xfcnze* \"E:\\\",\"M\xfcnze \x80 5.jpg\"", "*Utf* \"E:\\\",\"Caf\xe9 ?\xf3"
                                                                   "d?.jpg\""}));
}

TEST_P(SearchMatcherTest, ALineTooLongToSearchWholeIsSkippedNeverCut) {
    constexpr std::size_t most = 100; // the longest line searched, here
    std::string bytes = "needle one\r\n";
    bytes += std::string(150, 'a') + "needle" + std::string(150, 'b') + "\r\n"; // 2: skipped
    bytes += "needle " + std::string(most - 7, 'c') + "\r\n";                   // just fits
    bytes += "needle " + std::string(most - 6, 'd') + "\r\n";                   // 4: skipped
    bytes += "needle " + std::string(most - 6, 'e') + "\n"; // fits without its CR
    bytes += "needle two\r\n";
    bytes += std::string(500, 'f') + "needle"; // 7: skipped, the last line, no line end
    data.write("Long.rtf", bytes);
    for (std::size_t block : {std::size_t(16), std::size_t(64), std::size_t(4096)}) {
        const Rows rows = search("zzz|needle", {"Long"}, {}, SourceMode::Discs, block, most);
        ASSERT_EQ(rows.size(), 4u) << block;
        EXPECT_EQ(rows[0], "*Long* needle one");
        EXPECT_EQ(rows[1], "*Long* needle " + std::string(most - 7, 'c'));
        EXPECT_EQ(rows[2], "*Long* needle " + std::string(most - 6, 'e'));
        EXPECT_EQ(rows[3], "*Long* needle two");
        EXPECT_EQ(seen.events,
                  (Rows{"start Long", "long Long 2", "long Long 4", "long Long 7", "read Long 8"}));
        EXPECT_EQ(summary.examined, 8); // four lines searched, two words each
        EXPECT_EQ(summary.skippedLines, 3);
    }
}

TEST_P(SearchMatcherTest, LinesOfSixteenMebibytesAreSearchedWhole) {
    const std::size_t most = SearchMatcher::MaxLine;
    std::string bytes = std::string(most - 6, 'x') + "needle\r\n";     // fits
    bytes += "needle" + std::string(most - 5, 'y') + "\r\nneedle\r\n"; // one byte too many
    data.write("Big.rtf", bytes);
    const Rows rows = search("needle", {"Big"});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], "*Big* " + std::string(most - 6, 'x') + "needle");
    EXPECT_EQ(rows[1], "*Big* needle");
    EXPECT_EQ(summary.examined, 2);
    EXPECT_EQ(seen.events, (Rows{"start Big", "long Big 2", "read Big 2"}));
}

TEST_P(SearchMatcherTest, AStopWhileSkippingALongLineEndsTheSearch) {
    data.write("Long.rtf", std::string(10000, 'a') + "\r\nneedle\r\n");
    seen.stop = [&] { return !seen.events.empty() && seen.events.back() == "long Long 1"; };
    EXPECT_EQ(search("needle", {"Long"}, {}, SourceMode::Discs, 64, 100), Rows());
    EXPECT_EQ(summary.ending, SearchEnding::Stopped);
}

TEST_P(SearchMatcherTest, AFifoOrADeviceInAListsPlaceIsRefusedAtOnce) {
    data.write("A.rtf", "x1\r\n");
    ASSERT_EQ(::mkfifo((data / "Fifo.rtf").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", data / "Zero.rtf");
    data.makeFolder("Shard-9");
    ASSERT_EQ(::mkfifo((data / "Shard-9" / "JPG.rtf").c_str(), 0600), 0);
    data.write("Shard-9/TXT.rtf", "x.txt\r\n");
    seen.onFailure = [](const SearchFailure& f) {
        EXPECT_EQ(f.step, FailedStep::Opening);
        EXPECT_NE(f.error.description().find(": is not a regular file"), std::string::npos);
        return FailureAnswer::SkipSource;
    };
    ::alarm(20); // a blocked open or an endless read would otherwise hang the test run
    EXPECT_EQ(search("x", {"Fifo", "Zero", "A"}), Rows({"*A* x1"}));
    EXPECT_EQ(seen.events, (Rows{"failed Fifo 75", "skipped Fifo 0", "failed Zero 75",
                                 "skipped Zero 0", "start A", "read A 1"}));
    EXPECT_EQ(search("x", {"JPG", "TXT"}, {}, SourceMode::Extensions), Rows({"*TXT* x.txt"}));
    EXPECT_EQ(seen.events[0], "failed JPG 75");
    ::alarm(0);
}

TEST_P(SearchMatcherTest, ACarriageReturnThatEndsTheFileEndsTheLastLine) {
    data.write("D.rtf", "one x\r\ntwo x\r");
    data.write("E.rtf", "three x\r\n\r");
    data.write("F.rtf", "four\rx\r\r");
    for (std::size_t block : {std::size_t(16), SearchMatcher::BlockSize}) {
        EXPECT_EQ(search("x|zzz", {"D", "E", "F"}, {}, SourceMode::Discs, block),
                  Rows({"*D* one x", "*D* two x", "*E* three x", "*F* four\rx\r"}));
        EXPECT_EQ(summary.examined, 10);
        EXPECT_EQ(search("|zzz", {"E"}, {}, SourceMode::Discs, block),
                  Rows({"*E* three x", "*E* "}));
    }
}
