// Opening a file by name without waiting for the other end of a FIFO.
#pragma once

#include <string>

namespace rivex {

// Opens `path` with `flags` (O_CLOEXEC added) at once, whatever it is, and makes the
// descriptor block again for its reads and writes; -1 and errno as open(2) gives them, ENXIO
// among them for a FIFO opened for writing with no reader yet.
int OpenWithoutWaiting(const std::string& path, int flags);

}  // namespace rivex
