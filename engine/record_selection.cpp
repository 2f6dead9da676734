#include "engine/record_selection.h"

#include "engine/record_reader.h"

namespace rivex {

RecordSelection::RecordSelection(const Conditions& c)
    : c_(c), byCode_(c.SelectMode == SelectModes::ByCode) {
    if (byCode_) {
        codeStop_ = std::ranges::max(c.CodeRecords, {}, &TCodeRcd::ToCode).ToCode;
    } else {
        countStop_ = std::ranges::max(c.CountRanges, {}, &CountRange::Last).Last;
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
