#include "engine/write_fully.h"

#include <unistd.h>

#include <cerrno>

#include "engine/stop_signals.h"

namespace rivex {

int WriteFully(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        // A write that a stop signal broke is not tried again: it may wait for ever.
        if (n < 0 && errno == EINTR && StopSignal() == 0) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace rivex
