#include "engine/code_ranges.h"

#include <algorithm>

namespace rivex {

CodeRanges::CodeRanges(const std::vector<TCodeRcd>& rows) {
    for (const TCodeRcd& row : rows) {
        if (row.FromCode <= row.ToCode) codes_.push_back({row.FromCode, row.ToCode});
        stop_ = std::max(stop_, row.ToCode);
    }
    std::ranges::sort(codes_, {}, &Range<std::string>::from);
    // A row that begins within the one before it (or inside it) widens that one.
    std::size_t merged = 0;
    for (std::size_t i = 1; i < codes_.size(); ++i) {
        Range<std::string>& last = codes_[merged];
        if (codes_[i].from <= last.to) {
            if (last.to < codes_[i].to) last.to = std::move(codes_[i].to);
        } else if (++merged != i) {
            codes_[merged] = std::move(codes_[i]);
        }
    }
    codes_.resize(codes_.empty() ? 0 : merged + 1);
    if (codes_.size() > kSearchedWhole) MakeSlices();
    inWord_ = stop_.size() <= kWordBytes &&
              std::ranges::all_of(codes_, [](const Range<std::string>& range) {
                  return range.from.size() <= kWordBytes && range.to.size() <= kWordBytes;
              });
    if (!inWord_) return;
    stopWord_ = WordOf(stop_);
    for (const Range<std::string>& range : codes_) {
        words_.push_back({WordOf(range.from), WordOf(range.to)});
    }
}

// The ranges being sorted and apart, their ends rise too: one sweep finds every slice.
void CodeRanges::MakeSlices() {
    constexpr std::size_t kPrefixes = 1 << 16;
    slices_.resize(kPrefixes);
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    for (std::size_t prefix = 0; prefix < kPrefixes; ++prefix) {
        while (begin < codes_.size() && PrefixOf(codes_[begin].to) < prefix) ++begin;
        while (end < codes_.size() && PrefixOf(codes_[end].from) <= prefix) ++end;
        slices_[prefix] = {begin, end};
    }
}

}  // namespace rivex
