#pragma once

#include "dravik/search/line_matcher.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::search {

// A source searched ahead of its turn: the lines that passed the exact test, in order, with
// their keys and line numbers, so the search can report them in its turn as if it read the
// source then. Whether a line is a repeat is decided only then, in the search's order.
class ScannedSource {
public:
    struct Found {
        std::size_t line, lineSize, key, keySize; // in bytes()
        int word;                                 // the word that matched
        long long linesBefore;                    // lines of the source before this one
    };

    void add(std::string_view line, const LineMatcher::Match& match, long long linesBefore) {
        const std::size_t at = bytes_.size();
        bytes_.append(line);
        bytes_.append(match.key);
        found_.push_back(
            Found{at, line.size(), at + line.size(), match.key.size(), match.word, linesBefore});
    }
    void addLines(long long lines) { lines_ += lines; }

    const std::vector<Found>& found() const { return found_; }
    std::string_view line(const Found& f) const { return {bytes_.data() + f.line, f.lineSize}; }
    std::string_view key(const Found& f) const { return {bytes_.data() + f.key, f.keySize}; }
    // All lines of the source.
    long long lines() const { return lines_; }
    // What the found lines and keys take.
    std::size_t bytes() const { return bytes_.size(); }

private:
    std::string bytes_;
    std::vector<Found> found_;
    long long lines_ = 0;
};

} // namespace dravik::search
