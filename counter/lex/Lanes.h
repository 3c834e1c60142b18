#pragma once

// Which vector instructions the counter's byte scans use. Every x86-64 processor has SSE2,
// so the code is built for it; where the processor also has AVX2 (checked once at start),
// the scans look at 32 bytes per instruction instead of 16. Functions using AVX2 carry
// QM_AVX2 (QM_AVX2_INLINE for the small pieces they are made of) and run only when
// lanes::avx2 is true.

#if defined(__x86_64__) && defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#define QM_LANES_X86 1
#include <immintrin.h>

#include <cstdint>
#define QM_AVX2 __attribute__((target("avx2")))
#define QM_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline
#else
#define QM_LANES_X86 0
#endif

namespace qm::counter::lanes {

#if QM_LANES_X86
inline bool detectAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

// True where the processor has AVX2; tests turn it off to run the SSE2 forms too.
inline bool avx2 = detectAvx2();

// The low and the high half of each byte, 0 to 15.
QM_AVX2_INLINE __m256i low32(__m256i v)
{
    return _mm256_and_si256(v, _mm256_set1_epi8(0x0F));
}
QM_AVX2_INLINE __m256i high32(__m256i v)
{
    return _mm256_and_si256(_mm256_srli_epi16(v, 4), _mm256_set1_epi8(0x0F));
}

// A 16-entry table in both halves, for _mm256_shuffle_epi8.
QM_AVX2_INLINE __m256i table32(const std::uint8_t* table)
{
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table)));
}
#else
inline bool avx2 = false;
#endif

} // namespace qm::counter::lanes
