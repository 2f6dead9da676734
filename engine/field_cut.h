// Cutting fields out of a record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace rivex {

// The bytes from byte column `column` (from 1; below 1 counts as 1) on, at most `width` of
// them, fewer when the record ends first; none when `width` is below 1 or the column lies
// beyond the record.
inline std::string_view CutField(std::string_view record, std::int64_t column, std::int64_t width) {
    const auto length = static_cast<std::int64_t>(record.size());
    const std::int64_t start = column < 1 ? 0 : column - 1;
    if (width < 1 || start >= length) return {};
    return record.substr(static_cast<std::size_t>(start),
                         static_cast<std::size_t>(std::min(width, length - start)));
}

}  // namespace rivex
