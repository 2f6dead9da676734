// The compiled extraction conditions that the record loop walks.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace rivex {

// Byte columns count from 1. -1 in Left or Right stands for "*", the last column of the
// record; the first record written to an output file resolves it for the rest of the run.
struct FieldItem {
    std::int64_t Left;
    std::int64_t Right;
    std::int64_t Width;     // Right - Left + 1; -1 while a "*" is unresolved
    std::int64_t Pitch;     // next left - Left; 0 when the item does not repeat
    std::int64_t LastLeft;  // left column of the last repetition; 0 when it does not repeat
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

// Code page 932 bytes, compared byte-wise as unsigned values; FromCode <= ToCode.
struct TCodeRcd {
    std::string FromCode;
    std::string ToCode;
};

enum class FieldModes : std::uint8_t { WholeRecord = 0, ListedFields = 1 };
enum class SelectModes : std::uint8_t { AllRecords = 0, ByCount = 1, ByCode = 2 };

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
};

}  // namespace rivex
