#include "dravik/search/candidate_scan.h"

#include <algorithm>
#include <array>
#include <emmintrin.h>
#include <immintrin.h>

namespace dravik::search {

namespace {

using Pair = CandidateScan::Pair;

// How often a byte turns up in disc lists, upper-cased, roughly (higher = more common). The two
// rarest bytes of a word make the fewest false candidates.
int commonness(unsigned char c) {
    switch (c) {
    case '"':
    case '\\':
    case ',':
    case ':':
        return 100;
    case 'E':
        return 60;
    case ' ':
    case '.':
    case 'A':
    case 'I':
    case 'O':
    case 'S':
    case 'R':
    case 'N':
    case 'T':
        return 50;
    case '0':
    case '1':
    case '2':
        return 45;
    case 'L':
    case 'C':
    case 'M':
    case 'D':
    case 'P':
    case '_':
    case '-':
        return 40;
    case 'G':
    case 'H':
    case 'U':
    case 'B':
    case 'F':
        return 30;
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
        return 30;
    case 'W':
    case 'Y':
    case 'K':
    case 'V':
        return 20;
    case 'J':
    case 'X':
    case 'Q':
    case 'Z':
        return 10;
    default:
        return 5;
    }
}

std::uint8_t foldMask(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? 0x20 : 0;
}

std::string longestAsciiRun(const std::string& word, std::size_t& at) {
    std::size_t best = 0, bestAt = 0, i = 0;
    while (i < word.size()) {
        if (static_cast<unsigned char>(word[i]) >= 0x80) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < word.size() && static_cast<unsigned char>(word[j]) < 0x80)
            ++j;
        if (j - i > best) {
            best = j - i;
            bestAt = i;
        }
        i = j;
    }
    at = bestAt;
    return word.substr(bestAt, best);
}

unsigned lowestBit(unsigned bits) {
    return static_cast<unsigned>(__builtin_ctz(bits));
}

std::size_t nextSse2(const char* data, std::size_t from, std::size_t end,
                     const std::vector<Pair>& pairs) {
    for (std::size_t i = from; i < end; i += 16) {
        __m128i any = _mm_setzero_si128();
        for (const Pair& p : pairs) {
            const __m128i a =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + p.offset1));
            const __m128i b =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + p.offset2));
            const __m128i ea = _mm_cmpeq_epi8(_mm_or_si128(a, _mm_set1_epi8(char(p.mask1))),
                                              _mm_set1_epi8(char(p.value1)));
            const __m128i eb = _mm_cmpeq_epi8(_mm_or_si128(b, _mm_set1_epi8(char(p.mask2))),
                                              _mm_set1_epi8(char(p.value2)));
            any = _mm_or_si128(any, _mm_and_si128(ea, eb));
        }
        const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(any));
        if (bits)
            return std::min(end, i + lowestBit(bits));
    }
    return end;
}

__attribute__((target("avx2"))) std::size_t
nextAvx2(const char* data, std::size_t from, std::size_t end, const std::vector<Pair>& pairs) {
    for (std::size_t i = from; i < end; i += 32) {
        __m256i any = _mm256_setzero_si256();
        for (const Pair& p : pairs) {
            const __m256i a =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + p.offset1));
            const __m256i b =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + p.offset2));
            const __m256i ea =
                _mm256_cmpeq_epi8(_mm256_or_si256(a, _mm256_set1_epi8(char(p.mask1))),
                                  _mm256_set1_epi8(char(p.value1)));
            const __m256i eb =
                _mm256_cmpeq_epi8(_mm256_or_si256(b, _mm256_set1_epi8(char(p.mask2))),
                                  _mm256_set1_epi8(char(p.value2)));
            any = _mm256_or_si256(any, _mm256_and_si256(ea, eb));
        }
        const unsigned bits = static_cast<unsigned>(_mm256_movemask_epi8(any));
        if (bits)
            return std::min(end, i + lowestBit(bits));
    }
    return end;
}

__attribute__((target("avx2"), always_inline)) inline __m256i load(const char* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

// The same for a few words, with the constants in registers and 64
// positions a round: the rarer byte of every word first, the second bytes only where one of those
// turned up.
template <int N>
__attribute__((target("avx2"))) std::size_t nextAvx2Few(const char* data, std::size_t from,
                                                        std::size_t end, const Pair* pairs) {
    __m256i mask1[N], value1[N], mask2[N], value2[N];
    const char* first[N];
    const char* second[N];
    for (int w = 0; w < N; ++w) {
        mask1[w] = _mm256_set1_epi8(char(pairs[w].mask1));
        value1[w] = _mm256_set1_epi8(char(pairs[w].value1));
        mask2[w] = _mm256_set1_epi8(char(pairs[w].mask2));
        value2[w] = _mm256_set1_epi8(char(pairs[w].value2));
        first[w] = data + pairs[w].offset1;
        second[w] = data + pairs[w].offset2;
    }
    for (std::size_t i = from; i < end; i += 64) {
        __m256i lowHit[N], highHit[N];
        __m256i any = _mm256_setzero_si256();
        for (int w = 0; w < N; ++w) {
            lowHit[w] = _mm256_cmpeq_epi8(_mm256_or_si256(load(first[w] + i), mask1[w]), value1[w]);
            highHit[w] =
                _mm256_cmpeq_epi8(_mm256_or_si256(load(first[w] + i + 32), mask1[w]), value1[w]);
            any = _mm256_or_si256(any, _mm256_or_si256(lowHit[w], highHit[w]));
        }
        if (_mm256_testz_si256(any, any))
            continue;
        __m256i low = _mm256_setzero_si256(), high = _mm256_setzero_si256();
        for (int w = 0; w < N; ++w) {
            const __m256i a =
                _mm256_cmpeq_epi8(_mm256_or_si256(load(second[w] + i), mask2[w]), value2[w]);
            const __m256i b =
                _mm256_cmpeq_epi8(_mm256_or_si256(load(second[w] + i + 32), mask2[w]), value2[w]);
            low = _mm256_or_si256(low, _mm256_and_si256(lowHit[w], a));
            high = _mm256_or_si256(high, _mm256_and_si256(highHit[w], b));
        }
        const std::uint64_t bits =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
            (std::uint64_t(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32);
        if (bits)
            return std::min<std::size_t>(end, i + static_cast<std::size_t>(__builtin_ctzll(bits)));
    }
    return end;
}

// AVX-512BW: 64 positions a compare, the hits straight in mask registers.
template <int N>
__attribute__((target("avx512f,avx512bw"))) std::size_t
nextAvx512Few(const char* data, std::size_t from, std::size_t end, const Pair* pairs) {
    __m512i mask1[N], value1[N], mask2[N], value2[N];
    const char* first[N];
    const char* second[N];
    for (int w = 0; w < N; ++w) {
        mask1[w] = _mm512_set1_epi8(char(pairs[w].mask1));
        value1[w] = _mm512_set1_epi8(char(pairs[w].value1));
        mask2[w] = _mm512_set1_epi8(char(pairs[w].mask2));
        value2[w] = _mm512_set1_epi8(char(pairs[w].value2));
        first[w] = data + pairs[w].offset1;
        second[w] = data + pairs[w].offset2;
    }
    for (std::size_t i = from; i < end; i += 64) {
        __mmask64 hit[N];
        __mmask64 any = 0;
        for (int w = 0; w < N; ++w) {
            hit[w] = _mm512_cmpeq_epi8_mask(
                _mm512_or_si512(_mm512_loadu_si512(first[w] + i), mask1[w]), value1[w]);
            any |= hit[w];
        }
        if (!any)
            continue;
        __mmask64 both = 0;
        for (int w = 0; w < N; ++w) {
            both |= _mm512_mask_cmpeq_epi8_mask(
                hit[w], _mm512_or_si512(_mm512_loadu_si512(second[w] + i), mask2[w]), value2[w]);
        }
        if (both)
            return std::min<std::size_t>(end, i + static_cast<std::size_t>(__builtin_ctzll(both)));
    }
    return end;
}

std::size_t nextWide(const char* data, std::size_t from, std::size_t end,
                     const std::vector<Pair>& pairs, bool avx512) {
    if (avx512) {
        switch (pairs.size()) {
        case 1:
            return nextAvx512Few<1>(data, from, end, pairs.data());
        case 2:
            return nextAvx512Few<2>(data, from, end, pairs.data());
        case 3:
            return nextAvx512Few<3>(data, from, end, pairs.data());
        case 4:
            return nextAvx512Few<4>(data, from, end, pairs.data());
        default:
            break;
        }
    }
    switch (pairs.size()) {
    case 1:
        return nextAvx2Few<1>(data, from, end, pairs.data());
    case 2:
        return nextAvx2Few<2>(data, from, end, pairs.data());
    case 3:
        return nextAvx2Few<3>(data, from, end, pairs.data());
    case 4:
        return nextAvx2Few<4>(data, from, end, pairs.data());
    default:
        break;
    }
    return nextAvx2(data, from, end, pairs);
}

// The first byte above 0x7F in [from, to), or `to`.
std::size_t nextHighSse2(const char* data, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(v)))
            return std::min(to, i + lowestBit(bits));
    }
    return to;
}

__attribute__((target("avx2"))) std::size_t nextHighAvx2(const char* data, std::size_t from,
                                                         std::size_t to) {
    for (std::size_t i = from; i < to; i += 32) {
        if (const auto bits = static_cast<unsigned>(_mm256_movemask_epi8(load(data + i))))
            return std::min(to, i + lowestBit(bits));
    }
    return to;
}

// The first `ı` (C4 B1) or `ſ` (C5 BF) in [from, to), or `to`: the letters above 0x7F whose
// upper case is ASCII.
std::size_t nextFoldingSse2(const char* data, std::size_t from, std::size_t to) {
    const __m128i c4 = _mm_set1_epi8(char(0xC4)), b1 = _mm_set1_epi8(char(0xB1));
    const __m128i c5 = _mm_set1_epi8(char(0xC5)), bf = _mm_set1_epi8(char(0xBF));
    for (std::size_t i = from; i < to; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
        const __m128i hit =
            _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(a, c4), _mm_cmpeq_epi8(b, b1)),
                         _mm_and_si128(_mm_cmpeq_epi8(a, c5), _mm_cmpeq_epi8(b, bf)));
        if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(hit)))
            return std::min(to, i + lowestBit(bits));
    }
    return to;
}

__attribute__((target("avx2"))) std::size_t nextFoldingAvx2(const char* data, std::size_t from,
                                                            std::size_t to) {
    const __m256i c4 = _mm256_set1_epi8(char(0xC4)), b1 = _mm256_set1_epi8(char(0xB1));
    const __m256i c5 = _mm256_set1_epi8(char(0xC5)), bf = _mm256_set1_epi8(char(0xBF));
    for (std::size_t i = from; i < to; i += 32) {
        const __m256i a = load(data + i), b = load(data + i + 1);
        const __m256i hit =
            _mm256_or_si256(_mm256_and_si256(_mm256_cmpeq_epi8(a, c4), _mm256_cmpeq_epi8(b, b1)),
                            _mm256_and_si256(_mm256_cmpeq_epi8(a, c5), _mm256_cmpeq_epi8(b, bf)));
        if (const auto bits = static_cast<unsigned>(_mm256_movemask_epi8(hit)))
            return std::min(to, i + lowestBit(bits));
    }
    return to;
}

__attribute__((target("avx512f,avx512bw"))) std::size_t
nextFoldingAvx512(const char* data, std::size_t from, std::size_t to) {
    const __m512i c4 = _mm512_set1_epi8(char(0xC4)), b1 = _mm512_set1_epi8(char(0xB1));
    const __m512i c5 = _mm512_set1_epi8(char(0xC5)), bf = _mm512_set1_epi8(char(0xBF));
    for (std::size_t i = from; i < to; i += 64) {
        const __m512i a = _mm512_loadu_si512(data + i), b = _mm512_loadu_si512(data + i + 1);
        const __mmask64 hit = _mm512_mask_cmpeq_epi8_mask(_mm512_cmpeq_epi8_mask(a, c4), b, b1) |
                              _mm512_mask_cmpeq_epi8_mask(_mm512_cmpeq_epi8_mask(a, c5), b, bf);
        if (hit)
            return std::min<std::size_t>(to, i + static_cast<std::size_t>(__builtin_ctzll(hit)));
    }
    return to;
}

std::size_t countSse2(const char* data, std::size_t size) {
    const __m128i lf = _mm_set1_epi8('\n');
    std::size_t count = 0, i = 0;
    while (i + 16 <= size) {
        // Up to 255 rounds fit the byte counters; the sums of absolute differences add them up.
        __m128i counters = _mm_setzero_si128();
        const std::size_t stop = std::min(size - 15, i + 255 * 16);
        for (; i < stop; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(v, lf));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
    for (; i < size; ++i)
        count += data[i] == '\n';
    return count;
}

__attribute__((target("avx2"))) std::size_t countAvx2(const char* data, std::size_t size) {
    const __m256i lf = _mm256_set1_epi8('\n');
    std::size_t count = 0, i = 0;
    while (i + 32 <= size) {
        __m256i counters = _mm256_setzero_si256();
        const std::size_t stop = std::min(size - 31, i + 255 * 32);
        for (; i < stop; i += 32) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
            counters = _mm256_sub_epi8(counters, _mm256_cmpeq_epi8(v, lf));
        }
        const __m256i sums = _mm256_sad_epu8(counters, _mm256_setzero_si256());
        count += static_cast<std::size_t>(_mm256_extract_epi64(sums, 0)) +
                 static_cast<std::size_t>(_mm256_extract_epi64(sums, 1)) +
                 static_cast<std::size_t>(_mm256_extract_epi64(sums, 2)) +
                 static_cast<std::size_t>(_mm256_extract_epi64(sums, 3));
    }
    for (; i < size; ++i)
        count += data[i] == '\n';
    return count;
}

using Instructions = CandidateScan::Instructions;

Instructions limit = Instructions::Avx512;

Instructions usable() {
    static const Instructions has =
        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512f")
            ? Instructions::Avx512
        : __builtin_cpu_supports("avx2") ? Instructions::Avx2
                                         : Instructions::Sse2;
    return std::min(has, limit);
}

} // namespace

CandidateScan::CandidateScan(const std::vector<std::string>& upperWords) : instructions_(usable()) {
    for (std::size_t c = 0; c < rank_.size(); ++c)
        rank_[c] = static_cast<std::uint64_t>(commonness(static_cast<unsigned char>(c)));
    for (const std::string& word : upperWords) {
        if (word.empty()) {
            everyLine_ = true;
            continue;
        }
        std::size_t at = 0;
        std::string run = longestAsciiRun(word, at);
        if (run.empty()) {
            highBytes_ = true;
            continue;
        }
        padding_ = std::max(padding_, 64 + run.size());
        foldsToAscii_ = foldsToAscii_ || run.find_first_of("IS") != std::string::npos;
        runs_.push_back(std::move(run));
    }
    if (runs_.size() >= ManyRuns)
        grams_.emplace(runs_);
    else
        choosePairs();
}

void CandidateScan::learn(const char* sample, std::size_t size) {
    size = std::min<std::size_t>(size, 64u << 10);
    if (grams_) {
        grams_->learn(std::string_view(sample, size));
        return;
    }
    std::array<std::uint64_t, 256> counts{};
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(sample[i]);
        ++counts[c >= 'a' && c <= 'z' ? c - 32 : c];
    }
    // How often the byte turns up in this catalogue decides; the guess only breaks ties.
    for (std::size_t c = 0; c < rank_.size(); ++c)
        rank_[c] = (counts[c] << 8) +
                   static_cast<std::uint64_t>(commonness(static_cast<unsigned char>(c)));
    sample_ = std::string_view(sample, size);
    choosePairs();
    sample_ = {};
}

void CandidateScan::choosePairs() {
    pairs_.clear();
    for (const std::string& run : runs_) {
        const Pair pair = pairOf(run);
        const bool known = std::any_of(pairs_.begin(), pairs_.end(), [&](const Pair& p) {
            return p.offset1 == pair.offset1 && p.offset2 == pair.offset2 &&
                   p.value1 == pair.value1 && p.value2 == pair.value2;
        });
        if (!known)
            pairs_.push_back(pair);
    }
}

namespace {

Pair makePair(const std::string& run, std::size_t first, std::size_t second) {
    const auto c1 = static_cast<unsigned char>(run[first]);
    const auto c2 = static_cast<unsigned char>(run[second]);
    return Pair{static_cast<std::uint32_t>(first),
                static_cast<std::uint32_t>(second),
                foldMask(c1),
                static_cast<std::uint8_t>(c1 | foldMask(c1)),
                foldMask(c2),
                static_cast<std::uint8_t>(c2 | foldMask(c2))};
}

std::size_t countIn(std::string_view sample, const Pair& p) {
    const std::size_t reach = std::max(p.offset1, p.offset2);
    std::size_t count = 0;
    for (std::size_t i = 0; i + reach < sample.size(); ++i) {
        count += (static_cast<std::uint8_t>(sample[i + p.offset1]) | p.mask1) == p.value1 &&
                 (static_cast<std::uint8_t>(sample[i + p.offset2]) | p.mask2) == p.value2;
    }
    return count;
}

} // namespace

// The two rarest bytes; with a sample, the pair among the rarest few that turns up least in it,
// the rarer byte first (it is tested first).
CandidateScan::Pair CandidateScan::pairOf(const std::string& run) const {
    std::vector<std::size_t> order(run.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rank_[static_cast<unsigned char>(run[a])] <
               rank_[static_cast<unsigned char>(run[b])];
    });
    if (order.size() == 1)
        return makePair(run, 0, 0);
    Pair best = makePair(run, order[0], order[1]);
    if (sample_.empty())
        return best;
    std::size_t fewest = countIn(sample_, best);
    const std::size_t few = std::min<std::size_t>(order.size(), 5);
    for (std::size_t a = 0; a < few && fewest > 0; ++a) {
        for (std::size_t b = a + 1; b < few && fewest > 0; ++b) {
            const Pair pair = makePair(run, order[a], order[b]);
            if (const std::size_t count = countIn(sample_, pair); count < fewest) {
                best = pair;
                fewest = count;
            }
        }
    }
    return best;
}

std::size_t CandidateScan::next(const char* data, std::size_t from, std::size_t end) const {
    if (everyLine_ || from >= end)
        return std::min(from, end);
    if (nothing())
        return end;
    const std::size_t at = runs_.empty() ? end : nextOfRuns(data, from, end);
    const bool sse2 = instructions_ == Instructions::Sse2;
    if (highBytes_)
        return sse2 ? nextHighSse2(data, from, at) : nextHighAvx2(data, from, at);
    if (!foldsToAscii_)
        return at;
    return sse2                                    ? nextFoldingSse2(data, from, at)
           : instructions_ == Instructions::Avx512 ? nextFoldingAvx512(data, from, at)
                                                   : nextFoldingAvx2(data, from, at);
}

std::size_t CandidateScan::nextOfRuns(const char* data, std::size_t from, std::size_t end) const {
    if (grams_)
        return grams_->next(data, from, end);
    for (;;) {
        const std::size_t at =
            instructions_ == Instructions::Sse2
                ? nextSse2(data, from, end, pairs_)
                : nextWide(data, from, end, pairs_, instructions_ == Instructions::Avx512);
        if (at >= end || holdsARun(data + at, end - at))
            return at;
        from = at + 1; // two bytes of a word, but not the word's run: no line to test
    }
}

bool CandidateScan::holdsARun(const char* at, std::size_t room) const {
    for (const std::string& run : runs_) {
        if (run.size() > room)
            continue;
        std::size_t i = 0;
        while (
            i < run.size() &&
            (static_cast<unsigned char>(at[i]) | foldMask(static_cast<unsigned char>(run[i]))) ==
                (static_cast<unsigned char>(run[i]) | foldMask(static_cast<unsigned char>(run[i]))))
            ++i;
        if (i == run.size())
            return true;
    }
    return false;
}

void CandidateScan::limitInstructions(Instructions most) {
    limit = most;
}

std::size_t CandidateScan::countLineFeeds(const char* data, std::size_t size) {
    return usable() == Instructions::Sse2 ? countSse2(data, size) : countAvx2(data, size);
}

} // namespace dravik::search
