#include "engine/output_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/open_file.h"
#include "engine/platform_error.h"
#include "engine/read_fully.h"
#include "engine/standard_streams.h"

namespace rivex {
namespace {

bool IsSame(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Closes `fd` and throws `error`.
[[noreturn]] void Refuse(int fd, const PlatformError& error) {
    ::close(fd);
    throw error;
}

// What an output must not be: the file it is made from, or (with `streams`) a stream the
// program already writes its own lines to. A device such as /dev/null may well be shared.
void RefuseTakenFile(int fd, int sourceFd, const std::string& name, bool streams) {
    struct stat out {};
    struct stat in {};
    if (::fstat(fd, &out) != 0) Refuse(fd, FileError(errno, name));
    if (::fstat(sourceFd, &in) == 0 && IsSame(out, in)) {
        Refuse(fd, PlatformError({Phrase::OutputIsSource}, name));
    }
    if (!streams) return;
    const bool shareable = S_ISCHR(out.st_mode) && !::isatty(fd);
    for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat st {};
        if (::fstat(stream, &st) != 0 || !IsSame(out, st)) continue;
        const bool isOutput = stream == STDOUT_FILENO;
        // What stands in for a closed stream takes no records either.
        if (WasClosedAtStart(stream)) {
            Refuse(fd, PlatformError(
                           {isOutput ? Phrase::StandardOutputClosed : Phrase::StandardErrorClosed},
                           name));
        }
        if (shareable) continue;
        Refuse(fd, PlatformError(
                       {isOutput ? Phrase::OutputIsStandardOutput : Phrase::OutputIsStandardError},
                       name));
    }
}

// Two runs never write one file at once. The lock is the process's, so that two runs that
// inherited one open standard output (`a & b > f`) are told apart too; it lasts until the
// descriptor is closed.
void Lock(int fd, const std::string& name) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &whole) == 0) return;
    if (errno == EAGAIN || errno == EACCES) {
        Refuse(fd, PlatformError({Phrase::OutputInUse}, name));
    }
    Refuse(fd, FileError(errno, name));
}

// An end-of-file mark at the end of the file is overwritten by what is appended.
void CutAtEndOfFileMark(int fd, const std::string& path) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0) throw FileError(errno, path);
    const off_t start = size > 128 ? size - 128 : 0;
    std::array<char, 128> tail{};
    const ssize_t n = ReadFully(fd, tail.data(), static_cast<std::size_t>(size - start), start);
    if (n < 0) throw FileError(errno, path);
    const void* mark = std::memchr(tail.data(), 0x1A, static_cast<std::size_t>(n));
    if (mark == nullptr) return;
    const off_t cut = start + (static_cast<const char*>(mark) - tail.data());
    if (::ftruncate(fd, cut) != 0 || ::lseek(fd, cut, SEEK_SET) < 0) throw FileError(errno, path);
}

// A FIFO with no reader yet is tried again while `wait` lets the program work and perhaps
// give up.
int OpenWhenRead(const std::string& path, int flags, const OpenWait& wait) {
    while (true) {
        const int fd = OpenWithoutWaiting(path, flags);
        if (fd >= 0) return fd;
        const int err = errno;
        struct stat st {};
        const bool fifo = ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
        if ((err != ENXIO || !fifo) && err != EINTR) throw FileError(err, path);
        if (wait) wait();
        ::poll(nullptr, 0, kOpenWaitMs);
    }
}

}  // namespace

// A folder that cannot be made is left to the open that follows, which names the failure.
void CreateFolders(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
}

int CreateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw FileError(errno, path);
    return fd;
}

// The file is opened as it is and emptied only once it is known to be no file in use. An
// empty file is not truncated: on ext4 a truncation to nothing has the close that follows
// flush the new contents to disk, as for a file rewritten in place, and so wait for them.
// Appending reads the file's tail, so it opens for reading too.
int OpenOutputFile(const std::string& path, OutputOpen mode, int sourceFd, const OpenWait& wait) {
    const int flags = mode == OutputOpen::Create ? O_WRONLY | O_CREAT : O_RDWR | O_CREAT;
    const int fd = OpenWhenRead(path, flags, wait);
    RefuseTakenFile(fd, sourceFd, path, true);
    Lock(fd, path);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    try {
        if (mode == OutputOpen::Append) {
            CutAtEndOfFileMark(fd, path);
        } else if (regular && st.st_size > 0 && ::ftruncate(fd, 0) != 0) {
            throw FileError(errno, path);
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

int OpenStandardOutput(int sourceFd) {
    const std::string name(kStandardOutputName);
    if (WasClosedAtStart(STDOUT_FILENO)) throw PlatformError({Phrase::StandardOutputClosed}, name);
    const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) throw FileError(errno, name);
    RefuseTakenFile(fd, sourceFd, name, false);
    Lock(fd, name);
    // Appended records follow what the file held; the offset then says where the run began.
    if ((::fcntl(fd, F_GETFL) & O_APPEND) != 0) ::lseek(fd, 0, SEEK_END);
    return fd;
}

}  // namespace rivex
