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

} // namespace

TEST(SearchCrossCheck, FastMatcherAgreesWithThePlainRules) {
    std::mt19937 random(20261207);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const QStringList pieces = {"a",
                                "A",
                                "b",
                                "B",
                                "e",
                                "E",
                                "x",
                                "X",
                                "\xc3\xa9",
                                "\xc3\x89",
                                "\xc3\xbc",
                                "\xc3\x9c",
                                "\xe2\x82\xac",
                                "\\",
                                "\"",
                                ",",
                                " ",
                                ".",
                                "'",
                                "_",
                                "-",
                                "1",
                                "/",
                                ":",
                                "ab",
                                "AB",
                                "xe"};
    const QStringList wordPieces = {"a",  "A", "b", "e", "\xc3\xa9",     "\xc3\x89", "\xc3\xbc",
                                    "\\", " ", ".", "x", "\xe2\x82\xac", "ab"};
    auto text = [&](const QStringList& from, int most) {
        QString s;
        for (int i = pick(most + 1); i > 0; --i)
            s += from[pick(from.size())];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
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
        for (int i = 1 + pick(3); i > 0; --i)
            request.words << (pick(8) == 0 ? QString() : text(wordPieces, 3));
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
        const SearchSummary summary = SearchMatcher(request, block).run(fast);
        CandidateScan::limitInstructions(CandidateScan::Instructions::Avx512);
        const Outcome plain = plainSearch(request);
        ASSERT_EQ(fast.rows, plain.rows)
            << "round " << round << " words " << request.words.join("|").toStdString();
        ASSERT_EQ(summary.examined, plain.examined) << "round " << round;
        ASSERT_EQ(summary.rows, static_cast<long long>(plain.rows.size()));
    }
}
