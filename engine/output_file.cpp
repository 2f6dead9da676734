#include "engine/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <initializer_list>

#include "engine/codepage.h"
#include "engine/notation.h"
#include "engine/platform_error.h"

namespace rivex {
namespace {

constexpr std::string_view kNoQuote;

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsSame(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsSameFile(const std::string& path, int fd) {
    struct stat out {};
    struct stat in {};
    return ::stat(path.c_str(), &out) == 0 && ::fstat(fd, &in) == 0 && IsSame(out, in);
}

// A regular file that standard output or standard error already writes to; a terminal,
// pipe or device may well be shared.
bool IsStandardStream(const std::string& path) {
    struct stat out {};
    if (::stat(path.c_str(), &out) != 0 || !S_ISREG(out.st_mode)) return false;
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && IsSame(out, stream)) return true;
    }
    return false;
}

int StandardOutput(int sourceFd) {
    struct stat out {};
    struct stat in {};
    if (::fstat(STDOUT_FILENO, &out) == 0 && ::fstat(sourceFd, &in) == 0 && IsSame(out, in)) {
        throw PlatformError("抽出ファイルが元ファイルと同じファイルです",
                            std::string(kStandardOutputName));
    }
    const int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) throw FileError(errno, kStandardOutputName);
    return fd;
}

// An end-of-file mark at the end of the file is overwritten by what is appended.
void CutAtEndOfFileMark(int fd, const std::string& path) {
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0) throw FileError(errno, path);
    const off_t start = size > 128 ? size - 128 : 0;
    std::array<char, 128> tail{};
    const ssize_t n = ::pread(fd, tail.data(), static_cast<std::size_t>(size - start), start);
    if (n < 0) throw FileError(errno, path);
    const void* mark = std::memchr(tail.data(), 0x1A, static_cast<std::size_t>(n));
    if (mark == nullptr) return;
    const off_t cut = start + (static_cast<const char*>(mark) - tail.data());
    if (::ftruncate(fd, cut) != 0 || ::lseek(fd, cut, SEEK_SET) < 0) throw FileError(errno, path);
}

}  // namespace

void CreateFolders(const std::string& path) {
    const int n = QuotedCount(path, 1, 0, "/", kNoQuote, CodePage::Utf8);
    // In an absolute path the first "/" is the root; a relative path starts with a folder.
    const int firstCut = path.starts_with('/') ? 2 : 1;
    for (int k = firstCut; k <= n; ++k) {
        const int at = QuotedNthPos(path, "/", k, kNoQuote, CodePage::Utf8);
        const std::string folder = path.substr(0, static_cast<std::size_t>(at - 1));
        if (!folder.empty() && !IsFolder(folder)) ::mkdir(folder.c_str(), 0777);
    }
}

int CreateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw FileError(errno, path);
    return fd;
}

int OpenOutputFile(const std::string& path, OutputOpen mode, int sourceFd) {
    if (path == kStandardOutputName) return StandardOutput(sourceFd);
    if (IsSameFile(path, sourceFd)) {
        throw PlatformError("抽出ファイルが元ファイルと同じファイルです", path);
    }
    if (IsStandardStream(path))
        throw PlatformError("抽出ファイルが標準出力と同じファイルです", path);
    if (mode == OutputOpen::Create) return CreateFile(path);
    // Appending reads the file's tail, so it opens for reading too.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw FileError(errno, path);
    try {
        CutAtEndOfFileMark(fd, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

}  // namespace rivex
