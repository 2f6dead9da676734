// Opening the output file of a pass.
#pragma once

#include <functional>
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

// The name that standard output goes by in the RunLog and in messages.
inline constexpr std::string_view kStandardOutputName = "-";

// Called about every kOpenWaitMs while an open waits (a FIFO with no reader yet); it may
// throw to give up.
using OpenWait = std::function<void()>;
inline constexpr int kOpenWaitMs = 40;

// Opens `path` for writing and returns its descriptor: created anew (replacing a file of
// that name), or appended to after cutting it at the first 0x1A among its last 128 bytes.
// Refuses, without changing it, the file `sourceFd` reads, a file that standard output or
// standard error already writes to (a regular file, a pipe or a terminal), and a regular
// file that another run holds: a regular output stays locked until the descriptor is closed.
// Throws PlatformError.
int OpenOutputFile(const std::string& path, OutputOpen mode, int sourceFd,
                   const OpenWait& wait = {});

// A descriptor of standard output for the records, positioned at its end when it was opened
// for appending. Refused like OpenOutputFile when it is the source or another run holds it,
// and when it was closed as the program started.
int OpenStandardOutput(int sourceFd);

}  // namespace rivex
