// Writes the values of records in the form the output asks for: one after another as cut, or
// as the fields of a CSV or TSV line; trimmed, and converted to the output's code page.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/codepage.h"
#include "engine/conditions.h"
#include "engine/output_layout.h"
#include "engine/record_writer.h"

namespace rivex {

// The name of repetition `repeat` (from 0) of `item`: its name, numbered name_1, name_2...
// when it repeats, or its columns as "11-13".
std::string ColumnName(const FieldItem& item, std::size_t repeat);

// The names of the output's columns, in order; a whole record is "1-*".
std::vector<std::string> ColumnNames(const Conditions& c);

class ColumnWriter {
  public:
    // Throws PlatformError when the system cannot convert between the code pages.
    explicit ColumnWriter(const Conditions& c);
    ~ColumnWriter();
    ColumnWriter(const ColumnWriter&) = delete;
    ColumnWriter& operator=(const ColumnWriter&) = delete;

    // Whether the output begins with a header row.
    bool WritesHeader() const;
    // The header row, the names given in UTF-8, without its line end.
    void Header(const std::vector<std::string>& names, RecordWriter& out);

    // The values of a record held whole in memory, without its line end: each field and
    // repetition of `layout`, or the whole record when `layout` is null.
    void Record(std::string_view record, const OutputLayout* layout, RecordWriter& out);

    // The next value of a record too long to hold, `bytes` long. `pieces` gives its bytes, in
    // order, to the function it is called with; it may be called twice. `insideCharacter`:
    // the value begins inside a character.
    using Pieces = std::function<void(const std::function<void(std::string_view)>&)>;
    void LongValue(const Pieces& pieces, std::uint64_t bytes, bool insideCharacter,
                   RecordWriter& out);
    // Before the first LongValue of a record.
    void BeginRecord() { first_ = true; }

    // Characters written as the stand-in since the last call.
    std::int64_t TakeUnconverted();

  private:
    struct Bounds;
    void Value(std::string_view record, std::uint64_t at, std::uint64_t bytes, RecordWriter& out);
    void Open(bool quoted, RecordWriter& out);
    void Close(bool quoted, RecordWriter& out);
    Bounds Trimmed(std::string_view record, std::uint64_t at, std::uint64_t bytes,
                   bool insideCharacter) const;
    template <typename Each>
    void Write(const Each& pieces, const Bounds& bounds, bool insideCharacter, RecordWriter& out);
    template <typename Each>
    Bounds Scan(const Each& pieces, bool insideCharacter) const;
    bool NeedsQuotes(std::string_view bytes) const;
    void Emit(std::string_view bytes, bool quoted, RecordWriter& out);
    // `bytes` in the output's code page: as they are, or converted into converted_.
    std::string_view Converted(std::string_view bytes, bool more);

    OutputForm form_;
    CodePage data_;
    CodePage written_;
    bool delimited_;
    std::unique_ptr<Converter> values_;  // null when no output encoding was chosen
    std::unique_ptr<Converter> names_;   // from UTF-8; null when written in UTF-8
    std::string converted_;              // a value's bytes after conversion
    std::string carry_;                  // the start of a character cut by a piece's end
    bool first_ = true;                  // no value of the record written yet
    std::int64_t unconverted_ = 0;
};

}  // namespace rivex
