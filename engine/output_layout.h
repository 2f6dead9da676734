// The byte spans an output line is cut from: every listed field and every repetition of one,
// in order, worked out once per pass so that the record loop only copies.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/conditions.h"
#include "engine/record_writer.h"

namespace rivex {

// How many times `item` stands in a line: its repetitions, or once.
std::size_t Repetitions(const FieldItem& item);

class OutputLayout {
  public:
    // `items` with every "*" resolved.
    explicit OutputLayout(const std::vector<FieldItem>& items);

    // Appends the fields of `record`, joined, without its line end. The bytes just after
    // `record` must be readable (kWord of them).
    void Write(std::string_view record, RecordWriter& writer) const {
        // The usual record, that holds a few short fields whole: each copied as one word.
        if (record.size() >= reach_ && !words_.empty()) {
            if (char* out = writer.Reserve(lineLength_, kWord)) {
                for (const Word& word : words_) {
                    std::memcpy(out, record.data() + word.start, kWord);
                    out += word.width;
                }
                writer.Commit(lineLength_);
                return;
            }
        }
        WriteAny(record, writer);
    }

    // Calls `piece(start, bytes)` for each field and repetition that a record of `length`
    // bytes holds any of, in the order they are written: its start (from 0) and its bytes
    // there.
    template <typename Piece>
    void ForEachPiece(std::uint64_t length, Piece piece) const {
        ForEachRepetition(length, [&](std::size_t, std::size_t, std::uint64_t at,
                                      std::uint64_t bytes) { piece(at, bytes); });
    }

    // The same with the index of the field item (among all items given) and of the
    // repetition (from 0): `piece(field, repeat, start, bytes)`. This is the one place that
    // says which bytes each field and repetition covers; the viewer draws from it.
    template <typename Piece>
    void ForEachRepetition(std::uint64_t length, Piece piece) const {
        for (const Span& span : spans_) {
            std::uint64_t column = span.start;
            for (std::size_t k = 0; k < span.count && column < length && span.width > 0;
                 ++k, column += span.pitch) {
                piece(span.field, k, column, std::min<std::uint64_t>(span.width, length - column));
            }
        }
    }

    // The same for every column of a delimited line, also those that a record of `length`
    // bytes leaves empty: `piece(start, bytes)`, `bytes` 0 for an empty one.
    template <typename Piece>
    void ForEachColumn(std::uint64_t length, Piece piece) const {
        for (const Span& span : spans_) {
            std::uint64_t column = span.start;
            for (std::size_t k = 0; k < span.count; ++k, column += span.pitch) {
                piece(column, column < length ? std::min<std::uint64_t>(span.width, length - column)
                                              : std::uint64_t{0});
            }
        }
    }

    // Bytes of a record that the fields can reach: the rest is never written.
    std::size_t Reach() const { return reach_; }

    // The bytes past a record that Write may read, and past its line that it may overwrite.
    static constexpr std::size_t kWord = 16;

  private:
    void WriteAny(std::string_view record, RecordWriter& writer) const;

    // One field, repeated `count` times `pitch` bytes apart: the cost of a record follows the
    // record, not the count.
    struct Span {
        std::size_t field;  // index of the item
        std::size_t start;  // from 0
        std::size_t width;  // 0 for a field that is always empty
        std::size_t pitch;
        std::size_t count;  // at least 1
    };
    static std::size_t MostBytes(const Span& span, std::size_t length);

    // A field or repetition of at most kWord bytes, in a line of a few.
    struct Word {
        std::size_t start;
        std::size_t width;
    };
    static constexpr std::size_t kMostWords = 32;

    std::vector<Span> spans_;
    std::vector<Word> words_;  // every piece of a line as a Word, or none when they are not
    std::size_t reach_ = 0;
    std::size_t lineLength_ = 0;  // bytes of the line of a record that holds every field
};

// The listed fields of a run or a preview: "*" is the last column of the first record written,
// and the layout is made then; the resolved columns stay for the rest of the pass.
class FieldLayout {
  public:
    explicit FieldLayout(std::vector<FieldItem>& items) : items_(items) {}

    // Bytes of a record the fields can reach, before the first record and after it.
    std::size_t Reach() const { return layout_ ? layout_->Reach() : OutputLayout(items_).Reach(); }

    bool Started() const { return layout_.has_value(); }

    // Fixes "*" by the first record, `length` bytes long. Once per pass: kept out of the
    // record loop.
    [[gnu::noinline]] void Start(std::int64_t length);

    // Once started.
    const OutputLayout& Layout() const { return *layout_; }

  private:
    std::vector<FieldItem>& items_;
    std::optional<OutputLayout> layout_;
};

}  // namespace rivex
