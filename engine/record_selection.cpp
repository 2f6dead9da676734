#include "engine/record_selection.h"

#include "engine/record_reader.h"

namespace rivex {

namespace {

// The rows in order of their first record, those that overlap or touch joined.
std::vector<CountRange> MergedCounts(const std::vector<CountRange>& rows) {
    std::vector<CountRange> merged;
    for (const CountRange& row : rows) {
        if (row.First <= row.Last) merged.push_back(row);
    }
    std::ranges::sort(merged, {}, &CountRange::First);
    std::size_t last = 0;
    for (std::size_t i = 1; i < merged.size(); ++i) {
        // First - 1 rather than Last + 1: an open end is the largest number there is.
        if (merged[i].First - 1 <= merged[last].Last) {
            merged[last].Last = std::max(merged[last].Last, merged[i].Last);
        } else {
            merged[++last] = merged[i];
        }
    }
    merged.resize(merged.empty() ? 0 : last + 1);
    return merged;
}

}  // namespace

RecordSelection::RecordSelection(const Conditions& c)
    : c_(c), byCode_(c.SelectMode == SelectModes::ByCode), codes_(c.CodeRecords) {
    if (!byCode_) {
        counts_ = MergedCounts(c.CountRanges);
        countStop_ = std::ranges::max(c.CountRanges, {}, &CountRange::Last).Last;
        NextCountRange(0);
    }
}

std::string_view LineEndFor(OutputLineEnd choice, LineRule rule) {
    switch (choice) {
        case OutputLineEnd::AsSource:
            return rule == LineRule::Cr ? "\r\n" : "\n";
        case OutputLineEnd::CrLf:
            return "\r\n";
        case OutputLineEnd::Lf:
            break;
    }
    return "\n";
}

bool StarOpen(const std::vector<FieldItem>& items) {
    return std::ranges::any_of(items, [](const FieldItem& item) { return item.Width == -1; });
}

std::size_t NeededBytes(const Conditions& c, std::size_t fieldReach, std::size_t mostForFields) {
    std::size_t keep = 0;
    if (c.SelectMode == SelectModes::ByCode) {
        for (const KeySegment& segment : c.KeySegments) {
            keep = std::max(keep, static_cast<std::size_t>(segment.Left - 1 + segment.Width));
        }
    }
    if (c.FieldMode == FieldModes::WholeRecord && !WrittenAsCut(c)) {
        // A record is a value of its own, held whole as far as fields are.
        keep = std::max(keep, std::min(RecordReader::kKeepAll, mostForFields));
    }
    if (c.FieldMode == FieldModes::ListedFields) {
        const bool starOpen = StarOpen(c.FieldItems);
        keep =
            std::max(keep, std::min(starOpen ? RecordReader::kKeepAll : fieldReach, mostForFields));
    }
    return keep;
}

void ResolveStar(std::vector<FieldItem>& items, std::int64_t length) {
    for (FieldItem& item : items) {
        if (item.Left == -1) item.Left = length;
        if (item.Right == -1) item.Right = length;
        if (item.Width == -1) item.Width = item.Right - item.Left + 1;
    }
}

}  // namespace rivex
