// Counting the line end bytes of a run of bytes 64 at a time, with no work per record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rivex {

struct LineEnds {
    std::int64_t count;
    const char* after;  // just past the last one counted; the run's start when none was
};

// The first `most` bytes equal to `ending` among the `size` bytes at `data`, or all of them
// when there are fewer.
LineEnds CountLineEnds(const char* data, std::size_t size, char ending, std::int64_t most);

}  // namespace rivex
