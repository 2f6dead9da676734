#include "engine/write_fully.h"

#include <unistd.h>

#include <cerrno>

#include "engine/stop_signals.h"

namespace rivex {

int WriteFully(int fd, const char* data, std::size_t size, OnStopSignal onStop) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        const bool stopped = onStop == OnStopSignal::GiveUp && StopSignal() != 0;
        if (n < 0 && errno == EINTR && !stopped) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        data += n;
        size -= static_cast<std::size_t>(n);
        if (size > 0 && stopped) return EINTR;
    }
    return 0;
}

}  // namespace rivex
