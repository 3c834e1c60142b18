#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qm::counter {

// A small set of byte values, looked for sixteen bytes at a time. The line counter skips
// over comments, strings and plain code with it to the next byte that may matter.
class ByteSet {
public:
    static constexpr std::size_t width = 16;
    static constexpr std::size_t capacity = 24;

    ByteSet() = default;

    // Adds a byte value; a full set keeps what it has and says so.
    bool add(unsigned char c)
    {
        if (table_[c])
            return true;
        if (size_ == capacity)
            return false;
        table_[c] = true;
#ifdef __SSE2__
        const __m128i splat = _mm_set1_epi8(static_cast<char>(c));
        if (size_ == 0)
            for (auto& s : splats_)
                s = splat;
        splats_[size_] = splat;
#endif
        ++size_;
        return true;
    }

    bool contains(unsigned char c) const { return table_[c]; }
    std::size_t size() const { return size_; }

    // Bit i is set when p[i] is in the set, for the `width` bytes at p.
    std::uint32_t match(const char* p) const
    {
#ifdef __SSE2__
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Four at a time: the set is padded with repeats of its first byte.
        __m128i hits = _mm_setzero_si128();
        for (std::size_t i = 0; i < size_; i += 4) {
            const __m128i a = _mm_or_si128(_mm_cmpeq_epi8(v, splats_[i]), _mm_cmpeq_epi8(v, splats_[i + 1]));
            const __m128i b = _mm_or_si128(_mm_cmpeq_epi8(v, splats_[i + 2]), _mm_cmpeq_epi8(v, splats_[i + 3]));
            hits = _mm_or_si128(hits, _mm_or_si128(a, b));
        }
        return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
#else
        return matchSome(p, width);
#endif
    }

    // The same for the first n <= width bytes at p, reading only those.
    std::uint32_t matchSome(const char* p, std::size_t n) const
    {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < n; ++i)
            bits |= static_cast<std::uint32_t>(table_[static_cast<unsigned char>(p[i])]) << i;
        return bits;
    }

    // Bit i is set when p[i] is not white space (space, tab, line feed, carriage return,
    // form feed, vertical tab), for the `width` bytes at p.
    static std::uint32_t text(const char* p)
    {
#ifdef __SSE2__
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i fromTab = _mm_sub_epi8(v, _mm_set1_epi8('\t'));  // \t \n \v \f \r become 0..4
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(fromTab, _mm_set1_epi8(4)), fromTab);
        const __m128i space = _mm_or_si128(control, _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
        return ~static_cast<std::uint32_t>(_mm_movemask_epi8(space)) & 0xFFFFu;
#else
        return textSome(p, width);
#endif
    }

    static std::uint32_t textSome(const char* p, std::size_t n)
    {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(p[i]);
            bits |= static_cast<std::uint32_t>(c != ' ' && (c < '\t' || c > '\r')) << i;
        }
        return bits;
    }

    // The first byte in [p, stop) that is in the set, or `stop`. Bytes up to `readable`
    // (at or after `stop`) may be read. `text` becomes true when a byte that is not white
    // space comes before the one found.
    const char* find(const char* p, const char* stop, const char* readable, bool& text) const
    {
        while (p < stop) {
            const std::size_t left = static_cast<std::size_t>(stop - p);
            const bool whole = readable - p >= static_cast<std::ptrdiff_t>(width);
            const std::size_t n = left < width ? left : width;
            std::uint32_t hits = whole ? match(p) : matchSome(p, n);
            const std::uint32_t keep = (1u << n) - 1;
            hits &= keep;
            if (hits) {
                const unsigned at = static_cast<unsigned>(__builtin_ctz(hits));
                if (!text)
                    text = ((whole ? ByteSet::text(p) : textSome(p, n)) & ((1u << at) - 1)) != 0;
                return p + at;
            }
            if (!text)
                text = ((whole ? ByteSet::text(p) : textSome(p, n)) & keep) != 0;
            p += n;
        }
        return stop;
    }

private:
    std::array<bool, 256> table_{};
    std::size_t size_ = 0;
#ifdef __SSE2__
    __m128i splats_[capacity + 3] = {};  // unused places repeat the first byte
#endif
};

} // namespace qm::counter
