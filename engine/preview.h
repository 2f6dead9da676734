// The first records an extraction would write, worked out without writing anything: what
// the record viewer shows beside the source.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/extraction_request.h"

namespace rivex {

struct OutputPreview {
    static constexpr std::size_t kRecords = 100;
    static constexpr std::size_t kRecordBytes = 4096;              // of each record shown
    static constexpr std::uint64_t kScanBytes = 64 * 1024 * 1024;  // of the source, at most

    // The first failed check of the conditions: nothing is read then.
    std::optional<Refusal> refusal;
    // The conditions as far as the checks got.
    Conditions conditions;
    // The records written, without line ends, each cut to kRecordBytes.
    std::vector<std::string> records;
    std::string_view lineEnd;  // what follows each of them
    // The header row the output begins with, if any, without its line end; it and the
    // records are in this code page.
    std::string header;
    CodePage writtenIn = CodePage::Cp932;
    std::int64_t sourceRecords = 0;  // records read from the source
    bool scanCut = false;  // reading stopped at kScanBytes, before the source or selection ended
};

// The checks of `form`'s conditions: the refusal or the conditions, nothing read yet.
OutputPreview CheckPreview(const ExtractionRequest& form);

// The records of `preview`, checked from `form` and not refused, read from its source; a
// source name with "@" takes `placeholderText` for it. Throws PlatformError when the source
// cannot be read, and Stopped once `stop` is set.
void ReadPreview(OutputPreview& preview, const ExtractionRequest& form,
                 const std::string& placeholderText, const std::atomic<bool>* stop = nullptr);

// Both of the above at once.
OutputPreview PreviewOutput(const ExtractionRequest& form, const std::string& placeholderText);

}  // namespace rivex
