#pragma once

#include "dravik/search/search_request.h"
#include "dravik/search/word_automaton.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::search {

// The exact test of one line against the words, in their order. A line is read as UTF-8 when it
// is valid UTF-8, else as windows-1252, and upper-cased as UTF-8 either way, so one text gives
// one key whichever encoding its list has. "Case sensitive" and "Word ONLY" look at the
// characters of the line from which the upper-cased word came, even where upper-casing changed
// the length (`ı` to I).
class LineMatcher {
public:
    struct Match {
        // What makes two results the same: the upper-cased line, or its upper-cased file-name
        // part (UTF-8 either way). Valid until the next call.
        std::string_view key;
        // The word that matched, from 0.
        int word = 0;
    };

    // From this many words on, a line is scanned once for all of them instead of once per word.
    static constexpr std::size_t ManyWords = 8;

    LineMatcher(const QStringList& words, SearchOptions options);

    // The first word that passes, or nothing. `line` holds no line end.
    std::optional<Match> match(std::string_view line);

    int wordCount() const { return static_cast<int>(words_.size()); }
    // The words upper-cased, as UTF-8.
    std::vector<std::string> upperWords() const;

    // The characters that may stand on either side of a whole word.
    static constexpr std::string_view Boundaries = "\\/,.'][{}+-_)(&^%$#@!~`=; ";

private:
    struct Word {
        std::string exact, upper; // UTF-8
    };

    void read(std::string_view line);
    std::size_t originOf(std::size_t upperAt) const;
    std::optional<Match> test(std::size_t word, std::size_t at) const;
    std::optional<Match> matchEach() const;
    std::optional<Match> matchAll();
    static bool isBoundary(char c);

    std::vector<Word> words_;
    SearchOptions options_;
    std::optional<WordAutomaton> automaton_; // for many words
    std::vector<WordAutomaton::Occurrence> found_;
    std::string_view text_; // the line as UTF-8
    std::string decoded_;   // a windows-1252 line, decoded
    std::string upper_;
    std::vector<std::uint32_t> origins_; // see UpperCase::into
    bool shifted_ = false;
};

} // namespace dravik::search
