// The compiled extraction conditions that the record loop walks.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/codepage.h"

namespace rivex {

// Byte columns count from 1. -1 in Left or Right stands for "*", the last column of the
// record; the first record written to an output file resolves it for the rest of the run.
struct FieldItem {
    std::int64_t Left;
    std::int64_t Right;
    std::int64_t Width;     // Right - Left + 1; -1 while a "*" is unresolved
    std::int64_t Pitch;     // next left - Left; 0 when the item does not repeat
    std::int64_t LastLeft;  // left column of the last repetition; 0 when it does not repeat
    std::string Name = {};  // the column's name in a header row (UTF-8); empty: its columns
};

// Record numbers count from 1 in each source file.
struct CountRange {
    // "*" and the all-records mode: the real end of the file, whatever its length.
    static constexpr std::int64_t kEndOfFile = std::numeric_limits<std::int64_t>::max();
    std::int64_t First;
    std::int64_t Last;
};

struct KeySegment {
    std::int64_t Left;
    std::int64_t Right;
    std::int64_t Width;
};

// Bytes in the data's code page, compared byte-wise as unsigned values; FromCode <= ToCode.
struct TCodeRcd {
    std::string FromCode;
    std::string ToCode;
};

enum class FieldModes : std::uint8_t { WholeRecord = 0, ListedFields = 1 };

// How records end in a source file. Cr: at a CR, an LF right after it belonging to the line
// end. Lf: at an LF, a CR right before it belonging to the line end. Either way a 0x1A ends
// the file and a last line without a line end is a record.
enum class LineRule : std::uint8_t { Cr, Lf };
// The user's choice: a rule for every source, or Auto, decided for each source file from its
// first bytes.
enum class LineRuleChoice : std::uint8_t { Auto, Cr, Lf };
// What follows each written record: the line end of the rule the source was read by, or one
// for every record.
enum class OutputLineEnd : std::uint8_t { AsSource, CrLf, Lf };
enum class SelectModes : std::uint8_t { AllRecords = 0, ByCount = 1, ByCode = 2 };

// How the written fields are laid out: one after another as cut, or as the values of a
// comma- or tab-separated line.
enum class OutputFormat : std::uint8_t { Fixed, Csv, Tsv };
// The code page the output is written in: the data's own, or converted.
enum class OutputEncoding : std::uint8_t { AsData, Utf8, Utf8WithMark, Cp932 };

struct OutputForm {
    OutputFormat Format = OutputFormat::Fixed;
    bool Trim = false;  // CSV and TSV values lose the half- and full-width blanks at both ends
    OutputEncoding Encoding = OutputEncoding::AsData;
    bool Header = true;  // CSV and TSV begin with a row of the columns' names

    friend bool operator==(const OutputForm&, const OutputForm&) = default;
};

// The code page an output is written in: `data`'s own unless converted.
inline CodePage OutputCodePage(OutputEncoding encoding, CodePage data) {
    switch (encoding) {
        case OutputEncoding::AsData:
            return data;
        case OutputEncoding::Utf8:
        case OutputEncoding::Utf8WithMark:
            return CodePage::Utf8;
        case OutputEncoding::Cp932:
            break;
    }
    return CodePage::Cp932;
}

// rivex-batch's "-": the records come from standard input or go to standard output instead of
// the files the names would give. The window never sets them.
struct StandardStreams {
    bool input = false;
    bool output = false;
};

struct Conditions {
    static constexpr std::size_t kMaxKeySegments = 10;

    std::string SourceFileName;
    std::string OutputFileName;
    bool SourceHasPlaceholder = false;
    bool OutputHasPlaceholder = false;
    FieldModes FieldMode = FieldModes::WholeRecord;
    std::vector<FieldItem> FieldItems;
    SelectModes SelectMode = SelectModes::AllRecords;
    std::vector<CountRange> CountRanges;
    std::vector<KeySegment> KeySegments;  // at most kMaxKeySegments
    std::vector<TCodeRcd> CodeRecords;
    LineRuleChoice LineRules = LineRuleChoice::Auto;
    OutputLineEnd OutputLineEnds = OutputLineEnd::AsSource;
    CodePage DataCodePage = CodePage::Cp932;  // of the records, and so of the typed codes
    OutputForm Output;
    StandardStreams Streams;
};

// True when records are written as the bytes they are cut from: no delimiters, no
// encoding to hold to. The record loop then copies them without looking at values.
inline bool WrittenAsCut(const Conditions& c) {
    return c.Output.Format == OutputFormat::Fixed && c.Output.Encoding == OutputEncoding::AsData;
}

}  // namespace rivex
