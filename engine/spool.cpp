#include "engine/spool.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "engine/platform_error.h"
#include "engine/write_fully.h"

namespace rivex {
namespace {

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A file system without unnamed files gets a named one, unlinked at once.
int OpenUnnamed(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
    std::string name = folder + "/rivex-spool-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) ::unlink(name.c_str());
    return named;
}

}  // namespace

Spool::Spool() : fd_(OpenUnnamed(TemporaryFolder())), folder_(TemporaryFolder()) {
    if (fd_ < 0) throw FileError(errno, folder_);
}

Spool::~Spool() {
    ::close(fd_);
}

void Spool::Clear() {
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) throw FileError(errno, folder_);
}

void Spool::Append(std::string_view bytes) {
    if (const int error = WriteFully(fd_, bytes.data(), bytes.size()); error != 0) {
        throw FileError(error, folder_);
    }
}

}  // namespace rivex
