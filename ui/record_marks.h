// What the record viewer draws on a record's byte columns, and what a span chosen on its
// ruler puts into the main window's grids: plain logic, apart from the painting.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage.h"
#include "engine/conditions.h"

namespace rivex::ui {

struct ColumnMark {
    int field = -1;      // index of the field item whose bytes the column is, or -1
    int repeat = 0;      // which repetition of it, from 0
    bool key = false;    // the column is part of a key segment
    bool split = false;  // a field or key boundary cuts the column's character in two
};

// The marks of the first `shown` columns of a record that starts with `head` and is `length`
// bytes long in all: fields when the conditions list them, keys when they select by code.
// A "*" is the record's own last column.
std::vector<ColumnMark> MarkColumns(std::string_view head, std::uint64_t length,
                                    const Conditions& c, std::size_t shown);

// True when a mark of `marks` is a split character.
bool HasSplit(const std::vector<ColumnMark>& marks);

// The grid row of `rows` (from 1) that a new field goes to: the first one left empty, or
// one past the last.
int FirstEmptyRow(const std::vector<std::array<std::string, 4>>& rows);
// The last grid row (from 1) with a cell filled, or 0.
int LastFilledRow(const std::vector<std::array<std::string, 4>>& rows);

// `row` with its repeat cells filled for a next repetition at column `nextLeft`: the last
// left column is the last repetition that fits in `length` bytes (at least `nextLeft`).
// nullopt when the row's left and right are no plain columns or `nextLeft` is not past left.
std::optional<std::array<std::string, 4>> WithRepeat(const std::array<std::string, 4>& row,
                                                     std::int64_t nextLeft, std::uint64_t length);

// The key positions text after a key item of columns `left`-`right` is added to `keys`.
std::string WithKeyItem(std::string_view keys, std::int64_t left, std::int64_t right);

}  // namespace rivex::ui
