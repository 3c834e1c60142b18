#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qm::counter {

// The first two bytes of words worth a look (a language's keywords), or only the first
// byte for words of one letter, found sixteen positions at a time. Letters may be
// compared without case.
class BytePairs {
public:
    static constexpr std::size_t width = 16;

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
#ifdef __SSE2__
        // Compared as (byte | fold) == value; any byte matches when fold is 0xFF.
        const auto vector = [](unsigned char c) { return _mm_set1_epi8(static_cast<char>(c)); };
        vectors_.push_back({vector(pair.first), vector(pair.foldFirst ? 0x20 : 0),
                            vector(pair.second ? pair.second : 0xFF),
                            vector(pair.second ? (pair.foldSecond ? 0x20 : 0) : 0xFF)});
#endif
    }

    bool empty() const { return pairs_.empty(); }

    // Bit i is set when a word worth a look may start at p[i], for the `width` positions
    // at p; reads width + 1 bytes.
    std::uint32_t match(const char* p) const
    {
#ifdef __SSE2__
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        __m128i hits = _mm_setzero_si128();
        for (const auto& w : vectors_) {
            const __m128i a = _mm_cmpeq_epi8(_mm_or_si128(v0, w.fold0), w.value0);
            const __m128i b = _mm_cmpeq_epi8(_mm_or_si128(v1, w.fold1), w.value1);
            hits = _mm_or_si128(hits, _mm_and_si128(a, b));
        }
        return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
#else
        return matchSome(p, width, width + 1);
#endif
    }

    // The same for the first n <= width positions at p, reading only `readable` bytes.
    std::uint32_t matchSome(const char* p, std::size_t n, std::size_t readable) const
    {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char c0 = static_cast<unsigned char>(p[i]);
            const unsigned char c1 = i + 1 < readable ? static_cast<unsigned char>(p[i + 1]) : 0;
            for (const auto& pair : pairs_) {
                if ((pair.foldFirst ? (c0 | 0x20) : c0) != pair.first)
                    continue;
                if (pair.second && (i + 1 >= readable || (pair.foldSecond ? (c1 | 0x20) : c1) != pair.second))
                    continue;
                bits |= 1u << i;
                break;
            }
        }
        return bits;
    }

private:
    struct Pair {
        unsigned char first;
        unsigned char second;
        bool foldFirst;
        bool foldSecond;
    };

    static bool isLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
    static unsigned char fold(unsigned char c, bool ignoreCase)
    {
        return ignoreCase && isLetter(c) ? static_cast<unsigned char>(c | 0x20) : c;
    }

    std::vector<Pair> pairs_;
#ifdef __SSE2__
    struct Vectors {
        __m128i value0, fold0, value1, fold1;
    };
    std::vector<Vectors> vectors_;
#endif
};

} // namespace qm::counter
