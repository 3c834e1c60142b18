#pragma once

#include "counter/lex/ByteSet.h"
#include "counter/lex/Lanes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm::counter {

// The first two bytes of words worth a look (a language's keywords), or only the first
// byte for words of one letter, found 64 positions at a time. Letters may be compared
// without case.
//
// With AVX2, each pair of a group of eight owns one bit: four 16-entry tables, looked up
// by the low and the high half of the first and of the second byte, give the pairs whose
// first byte (and whose second byte) each half allows. Each pair's bytes are sets of that
// form (a byte, a letter in both cases, any byte), so a pair matches exactly where all four
// entries hold its bit. Without AVX2 each pair is compared sixteen positions at a time.
class BytePairs {
public:
    static constexpr std::size_t width = 64;

    // `second` 0 stands for any byte.
    void add(unsigned char first, unsigned char second, bool ignoreCase)
    {
        Pair pair{fold(first, ignoreCase), fold(second, ignoreCase), isLetter(first) && ignoreCase,
                  isLetter(second) && ignoreCase};
        for (const auto& p : pairs_)
            if (p.first == pair.first && p.second == pair.second && p.foldFirst == pair.foldFirst &&
                p.foldSecond == pair.foldSecond)
                return;
        pairs_.push_back(pair);
        const std::size_t index = pairs_.size() - 1;
        if (index % 8 == 0)
            groups_.emplace_back();
        Group& group = groups_.back();
        const auto bit = static_cast<std::uint8_t>(1u << (index % 8));
        const auto allow = [bit](std::uint8_t* low, std::uint8_t* high, unsigned char c, bool folded, bool any) {
            for (unsigned h = 0; h < 16; ++h)
                if (any || h == (c >> 4u) || (folded && h == ((c ^ 0x20u) >> 4u)))
                    high[h] |= bit;
            for (unsigned l = 0; l < 16; ++l)
                if (any || l == (c & 15u))
                    low[l] |= bit;
        };
        allow(group.firstLow, group.firstHigh, pair.first, pair.foldFirst, false);
        allow(group.secondLow, group.secondHigh, pair.second, pair.foldSecond, pair.second == 0);
#if QM_LANES_X86
        // Compared as (byte | fold) == value; any byte matches when fold is 0xFF.
        const auto vector = [](unsigned char c) { return _mm_set1_epi8(static_cast<char>(c)); };
        vectors_.push_back({vector(pair.first), vector(pair.foldFirst ? 0x20 : 0),
                            vector(pair.second ? pair.second : 0xFF),
                            vector(pair.second ? (pair.foldSecond ? 0x20 : 0) : 0xFF)});
#endif
    }

    bool empty() const
    {
        return pairs_.empty();
    }

    // Bit i is set when a word worth a look may start at p[i], for the `width` positions
    // at p; reads width + 1 bytes.
    std::uint64_t match(const char* p) const
    {
#if QM_LANES_X86
        if (lanes::avx2)
            return matchAvx2(p);
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < width; i += 16)
            bits |= static_cast<std::uint64_t>(match16(p + i)) << i;
        return bits;
#else
        return matchSome(p, width, width + 1);
#endif
    }

    // The same for the first n <= width positions at p, reading only `readable` bytes.
    std::uint64_t matchSome(const char* p, std::size_t n, std::size_t readable) const
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char c0 = static_cast<unsigned char>(p[i]);
            const unsigned char c1 = i + 1 < readable ? static_cast<unsigned char>(p[i + 1]) : 0;
            for (const auto& pair : pairs_) {
                if ((pair.foldFirst ? (c0 | 0x20) : c0) != pair.first)
                    continue;
                if (pair.second && (i + 1 >= readable || (pair.foldSecond ? (c1 | 0x20) : c1) != pair.second))
                    continue;
                bits |= std::uint64_t{1} << i;
                break;
            }
        }
        return bits;
    }

    // The first position in [p, stop) where a pair starts, or `stop`; the bytes up to
    // `readable` (at or after `stop`) may be read, and a pair of two bytes starts only where
    // both are. `text` becomes true when a byte that is not white space comes before the
    // position found. It only chooses the loop, small enough for the lexer's loops to take in.
    const char* find(const char* p, const char* stop, const char* readable, bool& text) const
    {
#if QM_LANES_X86
        if (lanes::avx2)
            return findAvx2(p, stop, readable, text);
#endif
        return findSixteen(p, stop, readable, text);
    }

    // find() sixteen positions at a time (or one at a time without SSE2).
    const char* findSixteen(const char* p, const char* stop, const char* readable, bool& text) const
    {
        while (p < stop) {
            const std::size_t left = static_cast<std::size_t>(stop - p);
            const std::size_t n = left < width ? left : width;
            const bool whole = readable - p > static_cast<std::ptrdiff_t>(width);
            const std::uint64_t keep = n >= width ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
            const std::uint64_t hits = (whole ? match(p) : matchSome(p, n, static_cast<std::size_t>(readable - p))) &
                                       keep;
            const std::uint64_t shown = whole ? ByteSet::text(p) : ByteSet::textSome(p, n);
            if (hits) {
                const auto at = static_cast<unsigned>(__builtin_ctzll(hits));
                text = text || (shown & ((std::uint64_t{1} << at) - 1)) != 0;
                return p + at;
            }
            text = text || (shown & keep) != 0;
            p += n;
        }
        return stop;
    }

#if QM_LANES_X86
    // find() 32 positions at a time.
    QM_AVX2 const char* findAvx2(const char* p, const char* stop, const char* readable, bool& text) const
    {
        while (p < stop) {
            const std::size_t left = static_cast<std::size_t>(stop - p);
            if (readable - p <= 32) {
                // The last positions: one at a time, reading none past `readable`.
                const std::size_t n = left < width ? left : width;
                const std::uint64_t hits = matchSome(p, n, static_cast<std::size_t>(readable - p));
                const std::uint64_t shown = ByteSet::textSome(p, n);
                const std::size_t upTo = hits ? static_cast<std::size_t>(__builtin_ctzll(hits)) : n;
                text = text || (shown & ByteSet::first(upTo)) != 0;
                return p + upTo;
            }
            const std::size_t n = left < 32 ? left : 32;
            const std::uint32_t keep = n == 32 ? ~0u : (1u << n) - 1;
            const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
            const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
            const std::uint32_t hits =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(
                    hits32(lanes::low32(v0), lanes::high32(v0), lanes::low32(v1), lanes::high32(v1)))) &
                keep;
            if (!text) {
                const std::uint32_t before = hits ? (1u << __builtin_ctz(hits)) - 1 : keep;
                text = (static_cast<std::uint32_t>(_mm256_movemask_epi8(ByteSet::text32(v0))) & before) != 0;
            }
            if (hits)
                return p + __builtin_ctz(hits);
            p += n;
        }
        return stop;
    }

    // 32 positions: 0xFF where a pair starts. `low0` and `high0` are the halves of the
    // bytes at the positions, `low1` and `high1` those of the bytes after them.
    QM_AVX2_INLINE __m256i hits32(__m256i low0, __m256i high0, __m256i low1, __m256i high1) const
    {
        __m256i hits = _mm256_setzero_si256();
        for (const Group& g : groups_) {
            using lanes::table32;
            const __m256i a = _mm256_and_si256(_mm256_shuffle_epi8(table32(g.firstLow), low0),
                                               _mm256_shuffle_epi8(table32(g.firstHigh), high0));
            const __m256i b = _mm256_and_si256(_mm256_shuffle_epi8(table32(g.secondLow), low1),
                                               _mm256_shuffle_epi8(table32(g.secondHigh), high1));
            const __m256i none = _mm256_cmpeq_epi8(_mm256_and_si256(a, b), _mm256_setzero_si256());
            hits = _mm256_or_si256(hits, _mm256_xor_si256(none, _mm256_set1_epi8(-1)));
        }
        return hits;
    }

    QM_AVX2_INLINE std::uint32_t match32(const char* p) const
    {
        const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
        return static_cast<std::uint32_t>(
            _mm256_movemask_epi8(hits32(lanes::low32(v0), lanes::high32(v0), lanes::low32(v1), lanes::high32(v1))));
    }

    QM_AVX2 std::uint64_t matchAvx2(const char* p) const
    {
        return static_cast<std::uint64_t>(match32(p)) | static_cast<std::uint64_t>(match32(p + 32)) << 32;
    }

    // 16 positions, reading 17 bytes.
    std::uint32_t match16(const char* p) const
    {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        __m128i hits = _mm_setzero_si128();
        for (const auto& w : vectors_) {
            const __m128i a = _mm_cmpeq_epi8(_mm_or_si128(v0, w.fold0), w.value0);
            const __m128i b = _mm_cmpeq_epi8(_mm_or_si128(v1, w.fold1), w.value1);
            hits = _mm_or_si128(hits, _mm_and_si128(a, b));
        }
        return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
    }
#endif

private:
    struct Pair {
        unsigned char first;
        unsigned char second;
        bool foldFirst;
        bool foldSecond;
    };

    static bool isLetter(unsigned char c)
    {
        return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    }
    static unsigned char fold(unsigned char c, bool ignoreCase)
    {
        return ignoreCase && isLetter(c) ? static_cast<unsigned char>(c | 0x20) : c;
    }

    struct Group {
        std::uint8_t firstLow[16] = {};
        std::uint8_t firstHigh[16] = {};
        std::uint8_t secondLow[16] = {};
        std::uint8_t secondHigh[16] = {};
    };

    std::vector<Pair> pairs_;
    std::vector<Group> groups_;
#if QM_LANES_X86
    struct Vectors {
        __m128i value0, fold0, value1, fold1;
    };
    std::vector<Vectors> vectors_;
#endif
};

} // namespace qm::counter
