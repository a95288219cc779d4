#pragma once

#include "dravik/search/gram_filter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::search {

// The fast pre-filter of the search: finds the positions where a line may hold one of the words,
// so that the exact test runs on those lines only. For a few words it takes the two rarest bytes
// of each word's longest ASCII run and looks for both at their distance, without regard to ASCII
// case, 16, 32 or 64 positions at a time (SSE2 always; AVX2 and AVX-512 when the processor has
// them); for many words it looks the text up among pieces of all the runs at once (GramFilter).
// Of the characters above 0x7F only `ı` and `ſ` upper-case to ASCII (I and S), so where a run
// holds I or S those two are candidates as well; a line it skips cannot match. A word without
// ASCII characters makes every non-ASCII byte a candidate; an empty word every line.
class CandidateScan {
public:
    // From this many runs on, the pieces of GramFilter take the place of the pairs.
    static constexpr std::size_t ManyRuns = 16;

    // `upperWords`: the words upper-cased, UTF-8.
    explicit CandidateScan(const std::vector<std::string>& upperWords);

    // Chooses each word's two bytes again by how often bytes turn up in `sample` (a first block
    // of the catalogue): the rarer the bytes, the fewer lines get the exact test.
    void learn(const char* sample, std::size_t size);

    // No line can be a candidate (no words).
    bool nothing() const { return runs_.empty() && !highBytes_ && !everyLine_; }
    // Bytes past `end` that next() may read; they need not hold anything in particular.
    std::size_t padding() const { return padding_; }

    // The first candidate position in [from, end), or `end`. A candidate lies inside the line
    // that may match.
    std::size_t next(const char* data, std::size_t from, std::size_t end) const;

    // The vector instructions used: the widest the processor has, up to a limit that tests lower
    // to run every kind of code on one machine (for scans made from then on).
    enum class Instructions { Sse2, Avx2, Avx512 };
    static void limitInstructions(Instructions most);

    // The number of line feeds in data[0, size).
    static std::size_t countLineFeeds(const char* data, std::size_t size);

    // Two bytes of a word at their offsets in the word's run, the rarer first; (byte | mask) ==
    // value, so a letter matches in either case and any other byte only itself.
    struct Pair {
        std::uint32_t offset1, offset2;
        std::uint8_t mask1, value1, mask2, value2;
    };

private:
    std::size_t nextOfRuns(const char* data, std::size_t from, std::size_t end) const;
    Pair pairOf(const std::string& run) const;
    // Whether one of the words' runs begins at `at`, without regard to ASCII case.
    bool holdsARun(const char* at, std::size_t room) const;
    void choosePairs();

    std::vector<std::string> runs_; // each word's longest ASCII run
    std::array<std::uint64_t, 256> rank_{};
    std::string_view sample_; // while learning
    std::vector<Pair> pairs_;
    std::optional<GramFilter> grams_; // for many runs
    bool highBytes_ = false;
    bool foldsToAscii_ = false; // a run holds I or S
    bool everyLine_ = false;    // an empty word is found in every line
    std::size_t padding_ = 64;
    Instructions instructions_;
};

} // namespace dravik::search
