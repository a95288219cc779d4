#include "dravik/search/candidate_scan.h"

#include <algorithm>
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
                     const std::vector<Pair>& pairs, bool highBytes) {
    for (std::size_t i = from; i < end; i += 16) {
        __m128i any = highBytes ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i))
                                : _mm_setzero_si128();
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

__attribute__((target("avx2"))) std::size_t nextAvx2(const char* data, std::size_t from,
                                                     std::size_t end,
                                                     const std::vector<Pair>& pairs,
                                                     bool highBytes) {
    for (std::size_t i = from; i < end; i += 32) {
        __m256i any = highBytes ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i))
                                : _mm256_setzero_si256();
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

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

} // namespace

CandidateScan::CandidateScan(const std::vector<std::string>& upperWords) : avx2_(hasAvx2()) {
    for (const std::string& word : upperWords) {
        if (word.empty()) {
            everyLine_ = true;
            continue;
        }
        std::size_t at = 0;
        const std::string run = longestAsciiRun(word, at);
        if (run.empty()) {
            highBytes_ = true;
            continue;
        }
        const Pair pair = pairOf(run);
        const bool known = std::any_of(pairs_.begin(), pairs_.end(), [&](const Pair& p) {
            return p.offset1 == pair.offset1 && p.offset2 == pair.offset2 &&
                   p.value1 == pair.value1 && p.value2 == pair.value2;
        });
        if (!known)
            pairs_.push_back(pair);
        padding_ = std::max<std::size_t>(padding_, 64 + std::max(pair.offset1, pair.offset2));
    }
}

CandidateScan::Pair CandidateScan::pairOf(const std::string& run) {
    // The rarest byte, then the rarest other one (the same one for a one-byte run).
    auto rarer = [&](std::size_t a, std::size_t b) {
        return commonness(static_cast<unsigned char>(run[a])) <
               commonness(static_cast<unsigned char>(run[b]));
    };
    std::size_t first = 0;
    for (std::size_t i = 1; i < run.size(); ++i) {
        if (rarer(i, first))
            first = i;
    }
    std::size_t second = first;
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (i != first && (second == first || rarer(i, second)))
            second = i;
    }
    const std::size_t low = std::min(first, second), high = std::max(first, second);
    const auto c1 = static_cast<unsigned char>(run[low]);
    const auto c2 = static_cast<unsigned char>(run[high]);
    return Pair{static_cast<std::uint32_t>(low),
                static_cast<std::uint32_t>(high),
                foldMask(c1),
                static_cast<std::uint8_t>(c1 | foldMask(c1)),
                foldMask(c2),
                static_cast<std::uint8_t>(c2 | foldMask(c2))};
}

std::size_t CandidateScan::next(const char* data, std::size_t from, std::size_t end) const {
    if (everyLine_ || from >= end)
        return std::min(from, end);
    if (nothing())
        return end;
    return avx2_ ? nextAvx2(data, from, end, pairs_, highBytes_)
                 : nextSse2(data, from, end, pairs_, highBytes_);
}

std::size_t CandidateScan::countLineFeeds(const char* data, std::size_t size) {
    return hasAvx2() ? countAvx2(data, size) : countSse2(data, size);
}

} // namespace dravik::search
