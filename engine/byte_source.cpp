#include "engine/byte_source.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#include "engine/open_file.h"
#include "engine/platform_error.h"
#include "engine/standard_streams.h"

namespace rivex {
namespace {

// A FIFO with no writer yet opens at once; reading then waits for the writer as for bytes.
int OpenForReading(const std::string& path) {
    const int fd = OpenWithoutWaiting(path, O_RDONLY);
    if (fd < 0) throw FileError(errno, path);
    return fd;
}

}  // namespace

FileSource::FileSource(const std::string& path) : FileSource(OpenForReading(path), path) {}

FileSource::FileSource(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd_);
        throw FileError(err, path_);
    }
    if (S_ISREG(st.st_mode)) {
        size_ = static_cast<std::uint64_t>(st.st_size);
        modified_ = st.st_mtim;
        ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
}

std::unique_ptr<FileSource> FileSource::StandardInput(std::string name) {
    if (WasClosedAtStart(STDIN_FILENO)) throw PlatformError({Phrase::StandardInputClosed}, name);
    const int fd = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) throw FileError(errno, name);
    auto source = std::unique_ptr<FileSource>(new FileSource(fd, std::move(name)));
    // Read ahead, standard input would be left further on than the run read it.
    source->readsAheadAllowed_ = false;
    return source;
}

FileSource::~FileSource() {
    ahead_.reset();
    ::close(fd_);
}

void FileSource::ReadAheadInBlocks(std::size_t blockSize, ReadAhead::Room room,
                                   ReadAhead::Look look) {
    if (readsAheadAllowed_ && size_ && *size_ >= kAheadFrom)
        aheadWanted_ = AheadWanted{blockSize, room, std::move(look)};
}

std::optional<AheadBlock> FileSource::TakeAhead() {
    if (!ahead_) {
        if (!aheadWanted_ || peekedTaken_ < peeked_.size()) return std::nullopt;
        try {
            ahead_ = std::make_unique<ReadAhead>(fd_, path_, aheadWanted_->blockSize,
                                                 aheadWanted_->room, aheadWanted_->look);
        } catch (const std::system_error&) {
            aheadWanted_.reset();  // no thread to be had: read as ever
            return std::nullopt;
        }
    }
    if (hook_) hook_(false);
    // The hook looks after the windows and stop signals while a read of the file hangs.
    while (true) {
        if (std::optional<AheadBlock> block = ahead_->Take(std::chrono::milliseconds(kWaitMs))) {
            return block;
        }
        if (hook_) hook_(true);
    }
}

void FileSource::GiveBack(AheadBlock block) {
    if (ahead_) ahead_->GiveBack(std::move(block));
}

void FileSource::CheckUnchanged() const {
    if (!size_) return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw FileError(errno, path_);
    if (static_cast<std::uint64_t>(st.st_size) != *size_ || st.st_mtim.tv_sec != modified_.tv_sec ||
        st.st_mtim.tv_nsec != modified_.tv_nsec) {
        throw SourceChanged(path_);
    }
}

// A regular file never keeps a read waiting; anything else is watched with a timeout. A
// signal that breaks the wait is looked at by the hook before waiting again.
void FileSource::AwaitBytes() {
    pollfd watched{fd_, POLLIN, 0};
    while (true) {
        const int ready = ::poll(&watched, 1, kWaitMs);
        if (ready > 0 || (ready < 0 && errno != EINTR)) return;  // a failure: the read tells
        if (hook_) hook_(true);
    }
}

// Whether the next read of a source that is no regular file would have to wait.
bool FileSource::MoreWaiting() const {
    pollfd watched{fd_, POLLIN, 0};
    return ::poll(&watched, 1, 0) == 0;
}

std::string_view FileSource::Peek(std::size_t size) {
    peeked_.resize(size);
    std::size_t got = 0;
    while (got < size) {
        const std::size_t n = ReadFile(peeked_.data() + got, size - got);
        if (n == 0) break;
        got += n;
        if (!size_ &&
            std::string_view(peeked_.data(), got).find_first_of("\r\n") != std::string_view::npos &&
            MoreWaiting()) {
            break;
        }
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
    if (hook_) hook_(false);
    if (!size_) AwaitBytes();
    while (true) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw FileError(errno, path_);
        if (hook_) hook_(true);
    }
}

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

}  // namespace rivex
