// Finding the first of two bytes in one pass, 16 or 32 bytes at a time where the compiler's
// target has the vector instructions, a byte at a time elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__AVX2__) || defined(__SSE2__)
#include <immintrin.h>
#endif

namespace rivex {

// The bytes past `end` that FindEither may read without using them.
inline constexpr std::size_t kScanSlack = 16;

// The first byte in [from, end) that is `a` or `b`, or `end` when there is none. The
// kScanSlack bytes after `end` must be readable.
inline const char* FindEither(const char* from, const char* end, char a, char b) {
    const char* p = from;
#if defined(__AVX2__)
    const __m256i wideA = _mm256_set1_epi8(a);
    const __m256i wideB = _mm256_set1_epi8(b);
    for (; end - p >= 32; p += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const auto hits = static_cast<std::uint32_t>(_mm256_movemask_epi8(
            _mm256_or_si256(_mm256_cmpeq_epi8(v, wideA), _mm256_cmpeq_epi8(v, wideB))));
        if (hits != 0) return p + __builtin_ctz(hits);
    }
#endif
#if defined(__SSE2__)
    const __m128i byteA = _mm_set1_epi8(a);
    const __m128i byteB = _mm_set1_epi8(b);
    // The last load may reach into the slack: hits there are masked off.
    for (; p < end; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        auto hits = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, byteA), _mm_cmpeq_epi8(v, byteB))));
        if (end - p < 16) hits &= (std::uint32_t{1} << (end - p)) - 1;
        if (hits != 0) return p + __builtin_ctz(hits);
    }
    return end;
#else
    for (; p < end; ++p) {
        if (*p == a || *p == b) return p;
    }
    return end;
#endif
}

}  // namespace rivex
