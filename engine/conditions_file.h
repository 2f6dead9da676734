// The conditions file: what the main window's controls hold for a run, kept as typed (so "*"
// and quoted codes survive), in UTF-8 JSON with a format version. The window saves and loads
// it on purpose; rivex-batch reads and writes the same file.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "engine/catalogue.h"
#include "engine/extraction_request.h"

namespace rivex {

// The file name ending the dialogs offer.
inline constexpr std::string_view kConditionsSuffix = ".rivex.json";

// The file's text for `form`; the same form always gives the same bytes. Grid rows after the
// last one that holds anything are left out. Every text must be UTF-8.
std::string ConditionsText(const ExtractionRequest& form);

// The form that a conditions file's text holds, or the refusal that says what is wrong and
// where (the key, or the line and column of a JSON error).
std::variant<ExtractionRequest, Message> ReadConditions(std::string_view text);

// The form the conditions file `path` holds, its relative file names found from the file's
// folder (so a job runs the same from any current folder), or the refusal's message. Throws
// PlatformError when the file cannot be read.
std::variant<ExtractionRequest, Message> LoadConditions(const std::string& path);

// The most bytes a conditions file holds: far more than any conditions need.
inline constexpr std::size_t kMostConditionsBytes = 1 << 20;

// The text of the conditions file `path`. A file that is no regular file, or larger than
// kMostConditionsBytes, is refused before it is read. Throws PlatformError.
std::string ReadConditionsFile(const std::string& path);

// Writes the conditions file of `form` to `path`: only over a file that is new or already a
// conditions file, and whole or not at all (a file beside it, renamed into its place). A
// relative file name is kept relative to the file's folder. A text that is not UTF-8 cannot
// be kept and is refused. Throws PlatformError.
void SaveConditions(const std::string& path, const ExtractionRequest& form);

}  // namespace rivex
