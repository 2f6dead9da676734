// Finding and counting the line end bytes of a run of bytes 64 at a time, with no call per
// record.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rivex {

// The bytes ByteHits looks at at once.
inline constexpr std::size_t kHitBlock = 64;

// Bit i is set when data[i] is `byte`, for the kHitBlock bytes at `data`.
inline std::uint64_t ByteHits(const char* data, char byte) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(byte);
    std::uint64_t hits = 0;
    for (std::size_t i = 0; i < kHitBlock; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const auto mask =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
        hits |= std::uint64_t{mask} << i;
    }
    return hits;
#else
    std::uint64_t hits = 0;
    for (std::size_t i = 0; i < kHitBlock; ++i) hits |= std::uint64_t{data[i] == byte} << i;
    return hits;
#endif
}

struct LineEnds {
    std::int64_t count;
    const char* after;  // just past the last one counted; the run's start when none was
};

// The first `most` bytes equal to `ending` among the `size` bytes at `data`, or all of them
// when there are fewer.
LineEnds CountLineEnds(const char* data, std::size_t size, char ending, std::int64_t most);

}  // namespace rivex
