#include "engine/byte_source.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/platform_error.h"

namespace rivex {

FileSource::FileSource(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), path_(path) {
    if (fd_ < 0) throw FileError(errno, path);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd_);
        throw FileError(err, path);
    }
    if (S_ISREG(st.st_mode)) size_ = static_cast<std::uint64_t>(st.st_size);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

FileSource::~FileSource() {
    ::close(fd_);
}

// A regular file never keeps a read waiting; anything else is watched with a timeout.
void FileSource::AwaitBytes() {
    pollfd watched{fd_, POLLIN, 0};
    while (true) {
        const int ready = ::poll(&watched, 1, kWaitMs);
        if (ready > 0 || (ready < 0 && errno != EINTR)) return;  // a failure: the read tells
        hook_(true);
    }
}

std::string_view FileSource::Peek(std::size_t size) {
    peeked_.resize(size);
    std::size_t got = 0;
    while (got < size) {
        const std::size_t n = ReadFile(peeked_.data() + got, size - got);
        if (n == 0) break;
        got += n;
    }
    peeked_.resize(got);
    return peeked_;
}

void FileSource::SeekTo(std::uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) throw FileError(errno, path_);
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    if (peekedTaken_ < peeked_.size()) {
        const std::size_t n = std::min(size, peeked_.size() - peekedTaken_);
        std::memcpy(buffer, peeked_.data() + peekedTaken_, n);
        peekedTaken_ += n;
        return n;
    }
    return ReadFile(buffer, size);
}

std::size_t FileSource::ReadFile(char* buffer, std::size_t size) {
    if (hook_) {
        hook_(false);
        if (!size_) AwaitBytes();
    }
    while (true) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw FileError(errno, path_);
    }
}

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

}  // namespace rivex
