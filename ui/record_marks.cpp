#include "ui/record_marks.h"

#include <algorithm>

#include "engine/notation.h"
#include "engine/output_layout.h"
#include "engine/record_selection.h"

namespace rivex::ui {
namespace {

// A run of columns [begin, end), from 0.
struct Columns {
    std::int64_t begin;
    std::int64_t end;
};

// Marks the character that the boundary before column offset `at` cuts, if any.
void MarkSplit(std::vector<ColumnMark>& marks, const std::vector<ByteKind>& kinds,
               std::int64_t at) {
    const auto size = std::ssize(kinds);
    if (at <= 0 || at >= size || kinds[static_cast<std::size_t>(at)] != ByteKind::Trail) return;
    std::int64_t first = at;
    while (first > 0 && kinds[static_cast<std::size_t>(first)] == ByteKind::Trail) --first;
    std::int64_t last = at;
    while (last + 1 < size && kinds[static_cast<std::size_t>(last + 1)] == ByteKind::Trail) ++last;
    for (std::int64_t i = first; i <= std::min(last, std::ssize(marks) - 1); ++i) {
        marks[static_cast<std::size_t>(i)].split = true;
    }
}

template <typename Apply>
void ForColumns(std::vector<ColumnMark>& marks, Columns columns, Apply apply) {
    const std::int64_t end = std::min(columns.end, std::ssize(marks));
    for (std::int64_t i = std::max<std::int64_t>(columns.begin, 0); i < end; ++i) {
        apply(marks[static_cast<std::size_t>(i)]);
    }
}

bool EmptyRow(const std::array<std::string, 4>& row) {
    return std::ranges::all_of(row,
                               [](const std::string& cell) { return TrimSide("B", cell).empty(); });
}

}  // namespace

std::vector<ColumnMark> MarkColumns(std::string_view head, std::uint64_t length,
                                    const Conditions& c, std::size_t shown) {
    std::vector<ColumnMark> marks(std::min<std::size_t>(shown, head.size()));
    const std::vector<ByteKind> kinds = Classify(head, c.DataCodePage);
    const auto recordLength = static_cast<std::int64_t>(length);
    // Columns from here on are past the record or past what is shown: nothing to mark.
    const std::int64_t markedEnd = std::min(recordLength, std::ssize(marks));
    const auto mark = [&](Columns columns, auto apply) {
        ForColumns(marks, columns, apply);
        MarkSplit(marks, kinds, columns.begin);
        MarkSplit(marks, kinds, columns.end);
    };
    if (c.FieldMode == FieldModes::ListedFields) {
        std::vector<FieldItem> items = c.FieldItems;
        ResolveStar(items, recordLength);
        OutputLayout(items).ForEachRepetition(
            static_cast<std::uint64_t>(markedEnd),
            [&](std::size_t field, std::size_t repeat, std::uint64_t at, std::uint64_t) {
                const auto begin = static_cast<std::int64_t>(at);
                mark({begin, begin + items[field].Width}, [&](ColumnMark& m) {
                    m.field = static_cast<int>(field);
                    m.repeat = static_cast<int>(repeat);
                });
            });
    }
    if (c.SelectMode == SelectModes::ByCode) {
        for (const KeySegment& segment : c.KeySegments) {
            if (segment.Left - 1 >= markedEnd) continue;
            mark({segment.Left - 1, segment.Right}, [](ColumnMark& m) { m.key = true; });
        }
    }
    return marks;
}

bool HasSplit(const std::vector<ColumnMark>& marks) {
    return std::ranges::any_of(marks, &ColumnMark::split);
}

int FirstEmptyRow(const std::vector<std::array<std::string, 4>>& rows) {
    return static_cast<int>(std::ranges::find_if(rows, EmptyRow) - rows.begin()) + 1;
}

int LastFilledRow(const std::vector<std::array<std::string, 4>>& rows) {
    const auto filled = std::ranges::find_if_not(rows.rbegin(), rows.rend(), EmptyRow);
    return static_cast<int>(rows.rend() - filled);
}

std::optional<std::array<std::string, 4>> WithRepeat(const std::array<std::string, 4>& row,
                                                     std::int64_t nextLeft, std::uint64_t length) {
    const std::string leftText = TrimSide("B", row[0]);
    std::string rightText = TrimSide("B", row[1]);
    if (rightText.empty()) rightText = leftText;
    // At most 9 digits, as a cell the checks take.
    const auto column = [](const std::string& text) {
        return text.size() <= 9 ? DigitsValue(text) : std::nullopt;
    };
    const std::optional<std::int64_t> leftColumn = column(leftText);
    const std::optional<std::int64_t> rightColumn = column(rightText);
    if (!leftColumn || !rightColumn) return std::nullopt;
    const std::int64_t left = *leftColumn;
    const std::int64_t width = *rightColumn - left + 1;
    const std::int64_t pitch = nextLeft - left;
    if (pitch <= 0 || width < 1) return std::nullopt;
    const auto fits = static_cast<std::int64_t>(length) - width + 1;  // last left that fits
    const std::int64_t last = std::max(nextLeft, left + (fits - left) / pitch * pitch);
    return std::array<std::string, 4>{row[0], row[1], std::to_string(nextLeft),
                                      std::to_string(last)};
}

std::string WithKeyItem(std::string_view keys, std::int64_t left, std::int64_t right) {
    std::string text = TrimSide("B", keys);
    if (!text.empty()) text.push_back(',');
    text += std::to_string(left);
    if (right != left) {
        text.push_back('-');
        text += std::to_string(right);
    }
    return text;
}

}  // namespace rivex::ui
