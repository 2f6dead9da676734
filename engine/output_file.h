// Opening the output file of a pass.
#pragma once

#include <string>
#include <string_view>

namespace rivex {

// Creates each missing folder along `path`: every prefix before a "/" except the root and
// the file name itself. A failed creation is not reported; the open then fails instead.
void CreateFolders(const std::string& path);

// Creates `path` anew for writing, replacing a file of that name; returns its descriptor.
// Throws PlatformError.
int CreateFile(const std::string& path);

enum class OutputOpen { Create, Append };

// The output name that stands for standard output, as rivex-batch takes it.
inline constexpr std::string_view kStandardOutputName = "-";

// Opens `path` for writing and returns its descriptor: created anew (replacing a file of
// that name), or appended to after cutting it at the first 0x1A among its last 128 bytes.
// kStandardOutputName writes to standard output as it is. Refuses, without touching it, a
// file that is the same file as `sourceFd`, or a regular file that standard output or
// standard error writes to.
// Throws PlatformError.
int OpenOutputFile(const std::string& path, OutputOpen mode, int sourceFd);

}  // namespace rivex
