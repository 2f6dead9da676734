#include "engine/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

namespace rivex {
namespace {

bool closedAtStart[3] = {false, false, false};

}  // namespace

void OpenClosedStandardStreams() {
    for (int fd = 0; fd < 3; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0) continue;
        closedAtStart[fd] = true;
        // The lowest free descriptor is the closed one.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) ::close(opened);
    }
}

bool WasClosedAtStart(int fd) {
    return fd >= 0 && fd < 3 && closedAtStart[fd];
}

}  // namespace rivex
