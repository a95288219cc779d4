// The fast matcher against a plain, line-by-line reading of the search rules on random lists.
#include "common/code_page.h"
#include "common/line_reader.h"
#include "common/testing/temp_folder.h"
#include "common/upper_case.h"
#include "dravik/search/search_matcher.h"

#include <gtest/gtest.h>

#include <random>

namespace UpperCase = common::UpperCase;
using common::testing::TempFolder;
using namespace dravik::search;

namespace {

struct Outcome {
    std::vector<std::string> rows;
    long long examined = 0;
};

// Every line, every word, in order; duplicates found by scanning what was reported.
Outcome plainSearch(const SearchRequest& r) {
    const QString boundaries = QStringLiteral("\\/,.'][{}+-_)(&^%$#@!~`=; ");
    Outcome out;
    std::vector<QString> reported; // rows as text
    std::vector<QString> names;    // upper-cased file-name parts
    for (const QString& source : r.sources) {
        const auto file = r.dataFolder / (source + ".rtf").toStdString();
        if (!std::filesystem::exists(file))
            continue;
        common::LineReader reader(file);
        std::string_view line;
        while (reader.next(line)) {
            const QString text = common::CodePage::decodeLine(line);
            const QString upper = UpperCase::of(text);
            for (const QString& word : r.words) {
                ++out.examined;
                const QString w = UpperCase::of(word);
                const qsizetype p = upper.indexOf(w);
                if (p < 0)
                    continue;
                const qsizetype end = p + w.size();
                if (r.options.caseRule == CaseRule::ExactCase && text.mid(p, w.size()) != word)
                    continue;
                if (r.options.wordRule == WordRule::WholeWord &&
                    ((p > 0 && !boundaries.contains(text[p - 1])) ||
                     (end < text.size() && !boundaries.contains(text[end]))))
                    continue;
                const QString row = "*" + source + "* " + text;
                if (r.options.rowRule == RowRule::EachLine) {
                    bool seen = false;
                    for (const QString& earlier : reported) {
                        const QString u = UpperCase::of(earlier);
                        seen = seen || u.mid(u.indexOf("* ") + 2) == upper;
                    }
                    if (seen)
                        continue;
                } else {
                    const QString name = upper.mid(text.lastIndexOf(u'\\') + 1);
                    if (!name.contains(w) ||
                        std::find(names.begin(), names.end(), name) != names.end())
                        continue;
                    names.push_back(name);
                }
                reported.push_back(row);
                out.rows.push_back(common::CodePage::encode(row)); // one code page
            }
        }
    }
    return out;
}

// Random lists of pieces that share letters, prefixes and case, in both encodings, searched for
// `fewest` to `most` words: words built of pieces, and pieces of the lines themselves, so that
// many words overlap and most searches find rows.
void crossCheck(std::uint32_t seed, int rounds, int fewest, int most) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const QStringList pieces = {"a",        "A",        "b",        "B",        "e",
                                "E",        "x",        "X",        "i",        "s",
                                "\xc3\xa9", "\xc3\x89", "\xc3\xbc", "\xc3\x9c", "\xe2\x82\xac",
                                "\xc4\xb1", // dotless i
                                "\xc5\xbf", // long s
                                "\xc2\xb5", // micro sign
                                "\xc6\x92", // f with hook
                                "\xc9\x90", // turned a: its upper case is longer
                                "\\",       "\"",       ",",        " ",        ".",
                                "'",        "_",        "-",        "1",        "/",
                                ":",        "ab",       "AB",       "xe",       "kamera",
                                "Camera",   "IS"};
    const QStringList wordPieces = {"a",        "A",  "b", "e",        "\xc3\xa9", "\xc3\x89",
                                    "\xc3\xbc", "\\", " ", ".",        "x",        "\xe2\x82\xac",
                                    "ab",       "I",  "S", "\xc4\xb1", "\xce\x9c", "\xc6\x91",
                                    "kam",      "era"};
    auto text = [&](const QStringList& from, int most) {
        QString s;
        for (int i = pick(most + 1); i > 0; --i)
            s += from[pick(from.size())];
        return s;
    };
    for (int round = 0; round < rounds; ++round) {
        TempFolder data;
        QStringList lines; // shared between discs, so some lines repeat
        for (int i = 0; i < 12; ++i)
            lines << text(pieces, 14);
        const QStringList sources = {"One", "Two", "Three", "Missing"};
        for (int d = 0; d < 3; ++d) {
            std::string bytes;
            const int count = pick(30);
            for (int i = 0; i < count; ++i) {
                QString line = pick(3) == 0 ? lines[pick(lines.size())] : text(pieces, 14);
                if (pick(4) == 0)
                    line = line.toUpper();
                bytes += pick(2) ? common::CodePage::toWindows1252(line) : line.toStdString();
                if (i + 1 < count || pick(3))
                    bytes += pick(4) ? "\r\n" : "\n";
            }
            data.write(sources[d].toStdString() + ".rtf", bytes);
        }
        SearchRequest request;
        for (int i = fewest + pick(most - fewest + 1); i > 0; --i) {
            if (pick(8) == 0) {
                request.words << QString();
            } else if (pick(2) == 0) {
                request.words << text(wordPieces, 3);
            } else {
                const QString& line = lines[pick(lines.size())];
                const int at = pick(static_cast<int>(line.size()) + 1);
                const QString part = line.mid(at, 1 + pick(12));
                request.words << (pick(3) == 0 ? part.toLower() : part);
            }
        }
        request.sources = sources;
        request.dataFolder = data.path();
        request.options = {pick(2) ? CaseRule::ExactCase : CaseRule::AnyCase,
                           pick(2) ? WordRule::WholeWord : WordRule::Anywhere,
                           pick(2) ? RowRule::EachFileName : RowRule::EachLine};

        struct Rows : SearchObserver {
            std::vector<std::string> rows;
            void rowFound(std::string_view row, const SearchProgress&) override {
                rows.emplace_back(row);
            }
        } fast;
        const std::size_t block = std::vector<std::size_t>{16, 37, 200, 1u << 16}[pick(4)];
        // Every kind of vector code the processor has.
        CandidateScan::limitInstructions(static_cast<CandidateScan::Instructions>(round % 3));
        // Alone, or with helpers searching sources ahead of their turn.
        const int helpers = pick(3);
        const SearchSummary summary =
            SearchMatcher(request, block, SearchMatcher::MaxLine, helpers).run(fast);
        CandidateScan::limitInstructions(CandidateScan::Instructions::Avx512);
        const Outcome plain = plainSearch(request);
        ASSERT_EQ(fast.rows, plain.rows) << "round " << round << " helpers " << helpers << " words "
                                         << request.words.join("|").toStdString();
        ASSERT_EQ(summary.examined, plain.examined) << "round " << round;
        ASSERT_EQ(summary.rows, static_cast<long long>(plain.rows.size()));
    }
}

} // namespace

TEST(SearchCrossCheck, FastMatcherAgreesWithThePlainRules) {
    crossCheck(20261207, 300, 1, 3);
}

// Enough words for the one-pass word scan and for the pieces pre-filter of many words.
TEST(SearchCrossCheck, ManyWordsAgreeWithThePlainRules) {
    static_assert(LineMatcher::ManyWords <= 8 && CandidateScan::ManyRuns <= 24);
    crossCheck(20261209, 200, 8, 60);
}
