// Reading a run of bytes of a regular file at an offset, through short reads and
// interruptions.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace rivex {

// The bytes read into `data`: `size` of them, or fewer where the file ends first; -1 with
// errno set when a read fails.
ssize_t ReadFully(int fd, char* data, std::size_t size, off_t offset);

}  // namespace rivex
