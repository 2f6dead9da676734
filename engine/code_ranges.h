// The code ranges of the conditions, compiled once into sorted ranges that never overlap, so
// that a key is looked up in time that grows with the log of the number of rows.
#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conditions.h"

namespace rivex {

class CodeRanges {
  public:
    explicit CodeRanges(const std::vector<TCodeRcd>& rows);

    // Whether some row holds `key` (both bounds inclusive, byte-wise order).
    bool Holds(std::string_view key) const {
        const Slice slice = SliceOf(key);
        if (inWord_) return HoldsIn(words_, WordOf(key), slice);
        return HoldsIn(codes_, key, slice);
    }

    // Whether `key` sorts after the largest end of every row.
    bool PastEnd(std::string_view key) const {
        if (inWord_) return stopWord_ < WordOf(key);
        return stop_ < key;
    }

  private:
    // A code of at most 8 bytes as one number: its bytes from the most significant on, padded
    // with zero bytes, then its length. A longer key counts as 9 bytes long: against a bound
    // of 8 bytes or fewer, its first 8 bytes and that it is longer decide. So the order of
    // words is the byte-wise order of the codes, as long as every bound fits.
    struct Word {
        std::uint64_t bytes;
        std::uint64_t length;
        auto operator<=>(const Word&) const = default;
    };
    static constexpr std::size_t kWordBytes = 8;
    static Word WordOf(std::string_view code) {
        const std::size_t used = std::min(code.size(), kWordBytes);
        std::uint64_t bytes = 0;
        for (std::size_t i = 0; i < used; ++i) {
            bytes = bytes << 8 | static_cast<unsigned char>(code[i]);
        }
        if (used > 0) bytes <<= 8 * (kWordBytes - used);  // the padding
        return {bytes, code.size() <= kWordBytes ? code.size() : kWordBytes + 1};
    }

    template <typename Bound>
    struct Range {
        Bound from;
        Bound to;
    };

    // The ranges [begin, end) that can hold keys of one prefix: those from the first that ends
    // at or after that prefix to the last that begins at or before it.
    struct Slice {
        std::uint32_t begin;
        std::uint32_t end;
    };
    // A code's first two bytes, padded with zero bytes; its order follows that of the codes.
    static std::uint16_t PrefixOf(std::string_view code) {
        const auto byte = [code](std::size_t i) {
            return i < code.size() ? static_cast<unsigned char>(code[i]) : 0U;
        };
        return static_cast<std::uint16_t>(byte(0) << 8 | byte(1));
    }
    // Up to this many ranges are searched whole; beyond, by the slice of the key's prefix.
    static constexpr std::size_t kSearchedWhole = 16;
    Slice SliceOf(std::string_view key) const {
        if (slices_.empty()) return {0, static_cast<std::uint32_t>(codes_.size())};
        return slices_[PrefixOf(key)];
    }
    void MakeSlices();

    // Of the ranges of `slice`, the last that begins at or before `key` is the only one that
    // can hold it; the ranges before the slice end, and those after it begin, on another prefix.
    template <typename Bound, typename Key>
    static bool HoldsIn(const std::vector<Range<Bound>>& ranges, const Key& key, Slice slice) {
        std::size_t lo = slice.begin;
        std::size_t hi = slice.end;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (key < ranges[mid].from) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        return lo > slice.begin && !(ranges[lo - 1].to < key);
    }

    std::vector<Range<std::string>> codes_;  // sorted by from; each from after the last to
    std::vector<Range<Word>> words_;         // the same ranges, when every bound fits a word
    std::vector<Slice> slices_;              // by prefix, when there are many ranges
    std::string stop_;  // the largest end of any row, also of a row that holds nothing
    Word stopWord_{};
    bool inWord_ = false;
};

}  // namespace rivex
