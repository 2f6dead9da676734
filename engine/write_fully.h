// Writing a whole run of bytes to a descriptor, through partial writes and interruptions.
#pragma once

#include <cstddef>

namespace rivex {

// 0 when all `size` bytes went out, else the errno of the failure (EIO for a write of none).
int WriteFully(int fd, const char* data, std::size_t size);

}  // namespace rivex
