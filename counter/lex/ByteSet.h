#pragma once

#include "counter/lex/Lanes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace qm::counter {

// A small set of byte values, looked for 64 bytes at a time. The line counter skips over
// comments, strings and plain code with it to the next byte that may matter.
//
// A set of ASCII bytes is classified with two 16-entry tables, one per half of a byte
// (bit k of lowTable_[c & 15] is set when the set holds a byte 16 * k + (c & 15), bit k of
// highTable_[k] is set): a byte is in the set when the two entries share a bit. That costs
// the same however many bytes the set holds. With AVX2 the tables are looked up 32 bytes
// at a time; without it (and for a set holding bytes above 0x7F) each byte value of the set
// is compared sixteen bytes at a time.
class ByteSet {
public:
    static constexpr std::size_t width = 64;
    static constexpr std::size_t capacity = 24;

    ByteSet() = default;

    // Adds a byte value; a full set keeps what it has and says so.
    bool add(unsigned char c)
    {
        if (contains(c))
            return true;
        if (size_ == capacity)
            return false;
        bits_[c >> 6] |= std::uint64_t{1} << (c & 63);
        values_[size_++] = c;
        if (c < 0x80) {
            lowTable_[c & 15] = static_cast<std::uint8_t>(lowTable_[c & 15] | (1u << (c >> 4)));
            highTable_[c >> 4] = static_cast<std::uint8_t>(1u << (c >> 4));
        } else {
            ascii_ = false;
        }
        return true;
    }

    bool contains(unsigned char c) const { return (bits_[c >> 6] >> (c & 63)) & 1; }
    std::size_t size() const { return size_; }

    // Bit i is set when p[i] is in the set, for the `width` bytes at p.
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
        return matchSome(p, width);
#endif
    }

    // The same for the first n <= width bytes at p, reading only those.
    std::uint64_t matchSome(const char* p, std::size_t n) const
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < n; ++i)
            bits |= static_cast<std::uint64_t>(contains(static_cast<unsigned char>(p[i]))) << i;
        return bits;
    }

    // Bit i is set when p[i] is not white space (space, tab, line feed, carriage return,
    // form feed, vertical tab), for the `width` bytes at p.
    static std::uint64_t text(const char* p)
    {
#if QM_LANES_X86
        if (lanes::avx2)
            return textAvx2(p);
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < width; i += 16)
            bits |= static_cast<std::uint64_t>(text16(p + i)) << i;
        return bits;
#else
        return textSome(p, width);
#endif
    }

    static std::uint64_t textSome(const char* p, std::size_t n)
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(p[i]);
            bits |= static_cast<std::uint64_t>(c != ' ' && (c < '\t' || c > '\r')) << i;
        }
        return bits;
    }

    // The bits of the first n of `width` positions (n <= width).
    static std::uint64_t first(std::size_t n)
    {
        return n >= width ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
    }

    // The first byte in [p, stop) that is in the set, or `stop`. Bytes up to `readable`
    // (at or after `stop`) may be read. `text` becomes true when a byte that is not white
    // space comes before the one found. It only chooses the loop, small enough for the
    // lexer's loops to take in.
    const char* find(const char* p, const char* stop, const char* readable, bool& text) const
    {
#if QM_LANES_X86
        if (lanes::avx2)
            return findAvx2(p, stop, readable, text);
#endif
        return findSixteen(p, stop, readable, text);
    }

    // find() sixteen bytes at a time (or one at a time without SSE2).
    const char* findSixteen(const char* p, const char* stop, const char* readable, bool& text) const
    {
        while (p < stop) {
            const std::size_t left = static_cast<std::size_t>(stop - p);
            const bool whole = readable - p >= static_cast<std::ptrdiff_t>(width);
            const std::size_t n = left < width ? left : width;
            const std::uint64_t keep = first(n);
            const std::uint64_t hits = (whole ? match(p) : matchSome(p, n)) & keep;
            if (hits) {
                const unsigned at = static_cast<unsigned>(__builtin_ctzll(hits));
                if (!text)
                    text = ((whole ? ByteSet::text(p) : textSome(p, n)) & first(at)) != 0;
                return p + at;
            }
            if (!text)
                text = ((whole ? ByteSet::text(p) : textSome(p, n)) & keep) != 0;
            p += n;
        }
        return stop;
    }

#if QM_LANES_X86
    // The 32-byte and 16-byte forms, for callers that combine them with other classes.
    // `low` and `high` are the two halves of each byte of `v` (0 to 15).
    QM_AVX2_INLINE __m256i hits32(__m256i v, __m256i low, __m256i high) const
    {
        if (ascii_) {
            const __m256i shared = _mm256_and_si256(_mm256_shuffle_epi8(lanes::table32(lowTable_), low),
                                                    _mm256_shuffle_epi8(lanes::table32(highTable_), high));
            return _mm256_xor_si256(_mm256_cmpeq_epi8(shared, _mm256_setzero_si256()), _mm256_set1_epi8(-1));
        }
        __m256i hits = _mm256_setzero_si256();
        for (std::size_t i = 0; i < size_; ++i)
            hits = _mm256_or_si256(hits, _mm256_cmpeq_epi8(v, _mm256_set1_epi8(static_cast<char>(values_[i]))));
        return hits;
    }

    QM_AVX2_INLINE std::uint32_t match32(const char* p) const
    {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(hits32(v, lanes::low32(v), lanes::high32(v))));
    }

    QM_AVX2_INLINE static __m256i text32(__m256i v)
    {
        const __m256i fromTab = _mm256_sub_epi8(v, _mm256_set1_epi8('\t')); // \t \n \v \f \r become 0..4
        const __m256i control = _mm256_cmpeq_epi8(_mm256_min_epu8(fromTab, _mm256_set1_epi8(4)), fromTab);
        const __m256i space = _mm256_or_si256(control, _mm256_cmpeq_epi8(v, _mm256_set1_epi8(' ')));
        return _mm256_xor_si256(space, _mm256_set1_epi8(-1));
    }

    QM_AVX2_INLINE static std::uint32_t text32(const char* p)
    {
        return static_cast<std::uint32_t>(
            _mm256_movemask_epi8(text32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)))));
    }

    __m128i hits16(__m128i v) const
    {
        __m128i hits = _mm_setzero_si128();
        for (std::size_t i = 0; i < size_; ++i)
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(values_[i]))));
        return hits;
    }

    std::uint32_t match16(const char* p) const
    {
        return static_cast<std::uint32_t>(
            _mm_movemask_epi8(hits16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))));
    }

    static __m128i text16(__m128i v)
    {
        const __m128i fromTab = _mm_sub_epi8(v, _mm_set1_epi8('\t'));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(fromTab, _mm_set1_epi8(4)), fromTab);
        const __m128i space = _mm_or_si128(control, _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
        return _mm_xor_si128(space, _mm_set1_epi8(-1));
    }

    static std::uint32_t text16(const char* p)
    {
        return static_cast<std::uint32_t>(
            _mm_movemask_epi8(text16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))));
    }
    QM_AVX2 std::uint64_t matchAvx2(const char* p) const
    {
        return static_cast<std::uint64_t>(match32(p)) | static_cast<std::uint64_t>(match32(p + 32)) << 32;
    }

    QM_AVX2 static std::uint64_t textAvx2(const char* p)
    {
        return static_cast<std::uint64_t>(text32(p)) | static_cast<std::uint64_t>(text32(p + 32)) << 32;
    }

    // find() 32 bytes at a time.
    QM_AVX2 const char* findAvx2(const char* p, const char* stop, const char* readable, bool& text) const
    {
        while (p < stop) {
            const std::size_t left = static_cast<std::size_t>(stop - p);
            if (readable - p < 32) {
                // The last bytes: one at a time, reading none past `readable`.
                const std::size_t n = left < width ? left : width;
                const std::uint64_t hits = matchSome(p, n);
                const std::uint64_t keep = hits ? first(static_cast<unsigned>(__builtin_ctzll(hits))) : first(n);
                text = text || (textSome(p, n) & keep) != 0;
                return hits ? p + __builtin_ctzll(hits) : p + n;
            }
            const std::size_t n = left < 32 ? left : 32;
            const std::uint32_t keep = n == 32 ? ~0u : (1u << n) - 1;
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
            const std::uint32_t hits =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(hits32(v, lanes::low32(v), lanes::high32(v)))) & keep;
            if (!text) {
                const std::uint32_t shown = hits ? (1u << __builtin_ctz(hits)) - 1 : keep;
                text = (static_cast<std::uint32_t>(_mm256_movemask_epi8(text32(v))) & shown) != 0;
            }
            if (hits)
                return p + __builtin_ctz(hits);
            p += n;
        }
        return stop;
    }
#endif

private:
    std::array<std::uint64_t, 4> bits_{};
    std::uint8_t lowTable_[16] = {};
    std::uint8_t highTable_[16] = {};
    unsigned char values_[capacity] = {};
    std::uint8_t size_ = 0;
    bool ascii_ = true;
};

} // namespace qm::counter
