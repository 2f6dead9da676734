#include "engine/line_ends.h"

#include <bit>

namespace rivex {

// Counting is mostly popcount: the processor's own instruction where it has one.
#if defined(__x86_64__) && !defined(__clang__)
[[gnu::target_clones("popcnt", "default")]]
#endif
LineEnds
CountLineEnds(const char* data, std::size_t size, char ending, std::int64_t most) {
    LineEnds ends{0, data};
    if (most <= 0) return ends;
    std::size_t at = 0;
    for (; at + kHitBlock <= size; at += kHitBlock) {
        std::uint64_t hits = ByteHits(data + at, ending);
        const std::int64_t wanted = most - ends.count;
        if (std::popcount(hits) >= wanted) {
            // The last one to count is in this block: drop the ones before it.
            for (std::int64_t k = 1; k < wanted; ++k) hits &= hits - 1;
            return {most, data + at + std::countr_zero(hits) + 1};
        }
        if (hits != 0) {
            ends.count += std::popcount(hits);
            ends.after = data + at + kHitBlock - std::countl_zero(hits);
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
