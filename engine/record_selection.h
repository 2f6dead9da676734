// Which records a pass writes, and what it needs of each: the rules shared by the run and
// by the preview of its output.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "engine/code_ranges.h"
#include "engine/conditions.h"
#include "engine/field_cut.h"

namespace rivex {

// The count or code rule of the conditions, record by record. The exclusion and the grouped
// code order are live controls: Update takes their current state.
class RecordSelection {
  public:
    explicit RecordSelection(const Conditions& c);

    void Update(bool exclusion, bool grouped) {
        exclusion_ = exclusion;
        grouped_ = grouped;
    }

    // Whether record number `count`, `record` at its start (as far as the key reaches), is
    // written. Numbers rise from 1 through a pass. Once it returns with Done() true, no later
    // record is.
    bool Selected(std::int64_t count, std::string_view record) {
        if (!byCode_) return InCountRange(count);
        const std::string_view key = ComposeKey(record);
        // With grouped order and no exclusion, reading stops at the first key past the end
        // of every range.
        if (!exclusion_ && grouped_ && codes_.PastEnd(key)) done_ = true;
        return codes_.Holds(key) != exclusion_;
    }

    bool Done() const { return done_; }

    // Whether every record from the next on is written, so that none need be asked about.
    bool SelectsEvery() const {
        return !byCode_ && range_.First <= 1 && range_.Last == CountRange::kEndOfFile;
    }

    // How many records right after record number `count` are surely not written: in count
    // mode those before the next range begins.
    std::int64_t UnselectedAfter(std::int64_t count) const {
        if (byCode_ || range_.First == kPastAll) return 0;
        return std::max<std::int64_t>(range_.First - 1 - count, 0);
    }

  private:
    // Reading stops once the record number passes the end of every range. The cursor stays
    // at the first range that does not end before the record, a copy of it at hand.
    bool InCountRange(std::int64_t count) {
        if (countStop_ < count) done_ = true;
        if (range_.Last < count) NextCountRange(count);
        return range_.First <= count;
    }
    void NextCountRange(std::int64_t count) {
        while (next_ < counts_.size() && counts_[next_].Last < count) ++next_;
        range_ = next_ < counts_.size() ? counts_[next_] : CountRange{kPastAll, kPastAll};
    }
    static constexpr std::int64_t kPastAll = std::numeric_limits<std::int64_t>::max();

    // The key: the bytes of each key segment joined, shorter for a short record. A key of
    // one segment is a view into the record.
    std::string_view ComposeKey(std::string_view record) {
        if (c_.KeySegments.size() == 1) {
            return CutField(record, c_.KeySegments[0].Left, c_.KeySegments[0].Width);
        }
        key_.clear();
        for (const KeySegment& segment : c_.KeySegments) {
            key_ += CutField(record, segment.Left, segment.Width);
        }
        return key_;
    }

    const Conditions& c_;
    const bool byCode_;
    std::vector<CountRange> counts_;  // sorted, neither overlapping nor touching
    std::size_t next_ = 0;
    CountRange range_{kPastAll, kPastAll};  // counts_[next_], or none past the last
    std::int64_t countStop_ = 0;
    CodeRanges codes_;
    bool exclusion_ = false;
    bool grouped_ = false;
    bool done_ = false;
    std::string key_;
};

// What follows each written record for a source read by `rule`.
std::string_view LineEndFor(OutputLineEnd choice, LineRule rule);

// Whether a "*" of `items` is still to be resolved.
bool StarOpen(const std::vector<FieldItem>& items);

// The bytes of a record that selection and fields need, when the fields reach `fieldReach`
// bytes: the key's, and those of the listed fields (all of the record while a "*" is
// unresolved), the latter at most `mostForFields`.
std::size_t NeededBytes(const Conditions& c, std::size_t fieldReach,
                        std::size_t mostForFields = std::numeric_limits<std::size_t>::max());

// Every "*" of `items` as the last column of a record of `length` bytes.
void ResolveStar(std::vector<FieldItem>& items, std::int64_t length);

}  // namespace rivex
