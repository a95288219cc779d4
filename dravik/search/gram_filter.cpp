#include "dravik/search/gram_filter.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace dravik::search {

namespace {

// ASCII letters of either case fold together; other bytes fold with one other byte.
constexpr std::uint32_t Fold = 0xDFDFDFDFu;
constexpr std::size_t MaxLength = 4;
// More pieces a word make the table fuller; four steps are most of the gain.
constexpr std::size_t MaxStep = 4;
constexpr unsigned SampleBits = 16;

std::uint32_t load(const char* at) {
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    return v & Fold;
}

std::uint32_t pieceOf(const std::string& run, std::size_t at, std::size_t length) {
    char bytes[4] = {};
    std::memcpy(bytes, run.data() + at, length);
    return load(bytes);
}

unsigned hashOf(std::uint32_t piece, unsigned bits) {
    return (piece * 0x9E3779B1u) >> (32 - bits);
}

unsigned placeOf(std::uint32_t piece, unsigned bits) {
    return (piece * 0x85EBCA77u) >> (32 - bits);
}

} // namespace

const GramFilter::Bucket* GramFilter::Table::find(std::uint32_t piece) const {
    const unsigned h = hashOf(piece, bits);
    if (!(bitTable[h >> 6] >> (h & 63) & 1))
        return nullptr;
    const std::size_t mask = buckets.size() - 1;
    for (std::size_t i = placeOf(piece, bucketBits);; i = (i + 1) & mask) {
        if (buckets[i].count == 0)
            return nullptr;
        if (buckets[i].piece == piece)
            return &buckets[i];
    }
}

GramFilter::Bucket& GramFilter::Table::bucketFor(std::uint32_t piece) {
    const unsigned h = hashOf(piece, bits);
    bitTable[h >> 6] |= std::uint64_t(1) << (h & 63);
    const std::size_t mask = buckets.size() - 1;
    for (std::size_t i = placeOf(piece, bucketBits);; i = (i + 1) & mask) {
        if (buckets[i].count == 0 || buckets[i].piece == piece)
            return buckets[i];
    }
}

GramFilter::GramFilter(std::vector<std::string> runs) : runs_(std::move(runs)) {
    std::sort(runs_.begin(), runs_.end());
    runs_.erase(std::unique(runs_.begin(), runs_.end()), runs_.end());
    step_ = MaxStep;
    for (const std::string& run : runs_) {
        const std::size_t length = std::min(run.size(), MaxLength);
        step_ = std::min(step_, run.size() - length + 1);
        tableFor(length);
    }
    choose();
}

GramFilter::Table& GramFilter::tableFor(std::size_t length) {
    for (Table& table : tables_) {
        if (table.length == length)
            return table;
    }
    Table table;
    table.length = length;
    table.mask = length == 4 ? 0xFFFFFFFFu : (std::uint32_t(1) << (8 * length)) - 1;
    tables_.push_back(std::move(table));
    return tables_.back();
}

void GramFilter::learn(std::string_view sample) {
    for (Table& table : tables_) {
        table.sampleCounts.assign(std::size_t(1) << SampleBits, 0);
        for (std::size_t i = 0; i + MaxLength <= sample.size(); ++i)
            ++table.sampleCounts[hashOf(load(sample.data() + i) & table.mask, SampleBits)];
    }
    learned_ = true;
    choose();
}

// Where the word's `step_` pieces begin: where they turn up least in the sample, else at 0.
std::size_t GramFilter::firstPiece(const std::string& run, const Table& table) const {
    if (!learned_)
        return 0;
    std::size_t best = 0;
    std::uint64_t fewest = ~std::uint64_t(0);
    for (std::size_t at = 0; at + step_ - 1 + table.length <= run.size(); ++at) {
        std::uint64_t count = 0;
        for (std::size_t k = at; k < at + step_; ++k)
            count += table.sampleCounts[hashOf(pieceOf(run, k, table.length), SampleBits)];
        if (count < fewest) {
            fewest = count;
            best = at;
        }
    }
    return best;
}

void GramFilter::choose() {
    std::vector<std::vector<std::pair<std::uint32_t, Place>>> pieces(tables_.size());
    for (std::uint32_t r = 0; r < runs_.size(); ++r) {
        const std::string& run = runs_[r];
        Table& table = tableFor(std::min(run.size(), MaxLength));
        const std::size_t first = firstPiece(run, table);
        for (std::size_t k = first; k < first + step_; ++k) {
            pieces[&table - tables_.data()].emplace_back(pieceOf(run, k, table.length),
                                                         Place{r, static_cast<std::uint32_t>(k)});
        }
    }
    places_.clear();
    for (std::size_t t = 0; t < tables_.size(); ++t)
        fill(tables_[t], pieces[t]);
}

// The table of `pieces`, each piece with its places side by side in places_.
void GramFilter::fill(Table& table, std::vector<std::pair<std::uint32_t, Place>>& pieces) {
    const auto width =
        static_cast<unsigned>(std::bit_width(std::max<std::size_t>(pieces.size(), 1)));
    // About one in thirty positions passes the bit table to the buckets; a larger table would
    // leave the fast caches.
    table.bits = std::clamp(width + 5, 12u, 20u);
    table.bitTable.assign(std::size_t(1) << (table.bits - 6), 0);
    table.bucketBits = width + 1;
    table.buckets.assign(std::size_t(1) << table.bucketBits, Bucket{});
    std::sort(pieces.begin(), pieces.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < pieces.size();) {
        Bucket& bucket = table.bucketFor(pieces[i].first);
        bucket = Bucket{pieces[i].first, static_cast<std::uint32_t>(places_.size()), 0};
        for (; i < pieces.size() && pieces[i].first == bucket.piece; ++i, ++bucket.count)
            places_.push_back(pieces[i].second);
    }
}

// Whether a run that holds the piece found at `at` stands there whole, inside [from, end).
bool GramFilter::holdsARun(const Bucket& bucket, const char* data, std::size_t from, std::size_t at,
                           std::size_t end) const {
    for (std::uint32_t p = bucket.first; p < bucket.first + bucket.count; ++p) {
        const std::string& run = runs_[places_[p].run];
        if (at < from + places_[p].offset)
            continue;
        const std::size_t start = at - places_[p].offset;
        if (start + run.size() > end)
            continue;
        if (std::equal(run.begin(), run.end(), data + start, [](char r, char t) {
                return r == t || (r >= 'A' && r <= 'Z' && t == r + 32);
            }))
            return true;
    }
    return false;
}

std::size_t GramFilter::next(const char* data, std::size_t from, std::size_t end) const {
    for (std::size_t i = from; i < end; i += step_) {
        const std::uint32_t piece = load(data + i);
        for (const Table& table : tables_) {
            const Bucket* bucket = table.find(piece & table.mask);
            if (bucket && holdsARun(*bucket, data, from, i, end))
                return i;
        }
    }
    return end;
}

} // namespace dravik::search
