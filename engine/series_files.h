// The files that exist now among those a file name with "@" can give, every "@" standing for
// any text within one folder or file name.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rivex {

using FileId = std::pair<dev_t, ino_t>;

// The folders looked through hold at most this many entries in all; past it no answer is
// given, so that a name such as "/@/@/@" costs no walk through the whole file system.
inline constexpr std::size_t kMostSeriesEntries = 20000;

// The device and inode of each such file; nullopt when finding them would take looking
// through more than kMostSeriesEntries entries.
std::optional<std::vector<FileId>> ExistingSeriesFiles(const std::string& name);

}  // namespace rivex
