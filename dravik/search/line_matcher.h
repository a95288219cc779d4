#pragma once

#include "dravik/search/search_request.h"

#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::search {

// The exact test of one line against the words, in their order. A line is read as UTF-8 when it
// is valid UTF-8, else as windows-1252, and each word is looked for in the encoding of the line.
// Upper-casing keeps byte positions, so "Case sensitive" and "Word ONLY" look at the very bytes
// of the line at which the upper-cased word was found.
class LineMatcher {
public:
    struct Match {
        // What makes two results the same: the upper-cased line, or its upper-cased file-name
        // part (UTF-8 either way). Valid until the next call.
        std::string_view key;
        // The word that matched, from 0.
        int word = 0;
    };

    LineMatcher(const QStringList& words, SearchOptions options);

    // The first word that passes, or nothing. `line` holds no line end.
    std::optional<Match> match(std::string_view line);

    int wordCount() const { return static_cast<int>(words_.size()); }
    // The words upper-cased, as UTF-8.
    std::vector<std::string> upperWords() const;

    // The characters that may stand on either side of a whole word.
    static constexpr std::string_view Boundaries = "\\/,.'][{}+-_)(&^%$#@!~`=; ";

private:
    enum class Code { Ascii, Utf8, Windows1252 };
    struct Word {
        std::string exactUtf8, upperUtf8;
        // Empty when the word has a character windows-1252 cannot hold.
        std::optional<std::string> exact1252, upper1252;
    };

    static Code codeOf(std::string_view line);
    void upperCase(std::string_view line, Code code);
    std::string_view keyOf(std::size_t from, Code code);
    static bool isBoundary(char c);

    std::vector<Word> words_;
    SearchOptions options_;
    std::string upper_;
    std::string key_;
};

} // namespace dravik::search
