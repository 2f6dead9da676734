#include "engine/line_ends.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rivex {
namespace {

constexpr std::size_t kBlock = 64;

// Bit i is set when data[i] is `byte`, for the 64 bytes at `data`.
std::uint64_t Hits(const char* data, char byte) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(byte);
    std::uint64_t hits = 0;
    for (std::size_t i = 0; i < kBlock; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const auto mask =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
        hits |= std::uint64_t{mask} << i;
    }
    return hits;
#else
    std::uint64_t hits = 0;
    for (std::size_t i = 0; i < kBlock; ++i) hits |= std::uint64_t{data[i] == byte} << i;
    return hits;
#endif
}

}  // namespace

// Counting is mostly popcount: the processor's own instruction where it has one.
#if defined(__x86_64__) && !defined(__clang__)
[[gnu::target_clones("popcnt", "default")]]
#endif
LineEnds
CountLineEnds(const char* data, std::size_t size, char ending, std::int64_t most) {
    LineEnds ends{0, data};
    if (most <= 0) return ends;
    std::size_t at = 0;
    for (; at + kBlock <= size; at += kBlock) {
        std::uint64_t hits = Hits(data + at, ending);
        const std::int64_t wanted = most - ends.count;
        if (std::popcount(hits) >= wanted) {
            // The last one to count is in this block: drop the ones before it.
            for (std::int64_t k = 1; k < wanted; ++k) hits &= hits - 1;
            return {most, data + at + std::countr_zero(hits) + 1};
        }
        if (hits != 0) {
            ends.count += std::popcount(hits);
            ends.after = data + at + kBlock - std::countl_zero(hits);
        }
    }
    for (; at < size && ends.count < most; ++at) {
        if (data[at] != ending) continue;
        ++ends.count;
        ends.after = data + at + 1;
    }
    return ends;
}

}  // namespace rivex
