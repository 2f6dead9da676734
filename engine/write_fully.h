// Writing a whole run of bytes to a descriptor, through partial writes and interruptions.
#pragma once

#include <cstddef>

namespace rivex {

// 0 when all `size` bytes went out, else the errno of the failure (EIO for a write of none).
// Once a stop signal has come, a write that it broke or cut short is not tried again (EINTR):
// the next one may wait for ever. A helper thread that must finish says so.
enum class OnStopSignal { GiveUp, GoOn };
int WriteFully(int fd, const char* data, std::size_t size,
               OnStopSignal onStop = OnStopSignal::GiveUp);

}  // namespace rivex
