#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::search {

// The pre-filter for many words. Each word gives a few pieces of up to four bytes of its longest
// ASCII run; every `step`-th position of the text is looked up among the pieces, its bytes
// folded to upper case, first in a bit table by hash, then among the pieces themselves. The step
// is the number of consecutive pieces each word gives, so every occurrence of a run covers a
// looked-up position. Where a piece is found, the runs it came from are compared there, without
// regard to ASCII case: a candidate holds a whole run.
class GramFilter {
public:
    // `runs`: each word's longest ASCII run, upper-cased, none empty.
    explicit GramFilter(std::vector<std::string> runs);

    // Chooses each word's pieces again: those that turn up least in `sample`.
    void learn(std::string_view sample);

    // The first looked-up position in [from, end) that holds a piece, or `end`. It may read
    // `Padding` bytes past `end`.
    std::size_t next(const char* data, std::size_t from, std::size_t end) const;

    static constexpr std::size_t Padding = 4;
    std::size_t step() const { return step_; }

private:
    // Where a piece stands in a run.
    struct Place {
        std::uint32_t run, offset;
    };
    // A piece and its places: places_[first, first + count); count 0 for a free one.
    struct Bucket {
        std::uint32_t piece = 0, first = 0, count = 0;
    };
    // The pieces of one length.
    struct Table {
        std::size_t length = 0;
        std::uint32_t mask = 0; // the piece's bytes of a 4-byte load
        unsigned bits = 0;      // of the bit table's size
        std::vector<std::uint64_t> bitTable;
        unsigned bucketBits = 0;
        std::vector<Bucket> buckets; // open addressing
        std::vector<std::uint32_t> sampleCounts;

        const Bucket* find(std::uint32_t piece) const;
        Bucket& bucketFor(std::uint32_t piece);
    };

    void choose();
    void fill(Table& table, std::vector<std::pair<std::uint32_t, Place>>& pieces);
    std::size_t firstPiece(const std::string& run, const Table& table) const;
    Table& tableFor(std::size_t length);
    bool holdsARun(const Bucket& bucket, const char* data, std::size_t from, std::size_t at,
                   std::size_t end) const;

    std::vector<std::string> runs_;
    std::vector<Table> tables_;
    std::vector<Place> places_;
    std::size_t step_ = 1;
    bool learned_ = false;
};

} // namespace dravik::search
