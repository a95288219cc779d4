#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::search {

// Finds where each of many words first occurs in a text, in one pass over the text whatever the
// number of words (an Aho-Corasick automaton over the words' bytes), so a line is tested against
// ten thousand words in about the time of a few.
class WordAutomaton {
public:
    struct Occurrence {
        std::uint32_t word; // its place in the words, from 0
        std::uint32_t at;   // the offset of its first occurrence
    };

    explicit WordAutomaton(const std::vector<std::string>& words);

    // Every word that occurs in `text`, at its first occurrence, in the order of the words. An
    // empty word occurs at 0 of every text.
    void firstOccurrences(std::string_view text, std::vector<Occurrence>& found);

private:
    static constexpr std::uint32_t None = 0xFFFFFFFF;

    struct Node {
        std::uint32_t firstEdge = 0, edgeCount = 0;
        std::uint32_t fail = 0;
        // The nearest node down the fail links (itself first) where words end, or None.
        std::uint32_t output = None;
        std::uint32_t depth = 0;
        // The words that end here: wordsAt_[firstWord, firstWord + wordCount).
        std::uint32_t firstWord = 0, wordCount = 0;
        std::uint32_t seen = 0; // the pass that last found it
    };

    void build(const std::vector<std::string>& words);
    std::uint32_t childOf(std::uint32_t node, unsigned char byte) const;
    std::uint32_t step(std::uint32_t node, unsigned char byte) const;
    void linkFailures();

    std::vector<Node> nodes_; // 0 is the root
    std::vector<unsigned char> edgeBytes_;
    std::vector<std::uint32_t> edgeTargets_;
    std::array<std::uint32_t, 256> rootRow_{};
    std::vector<std::uint32_t> wordsAt_;
    std::vector<std::uint32_t> emptyWords_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> hits_; // node, offset
    std::uint32_t pass_ = 0;
};

} // namespace dravik::search
