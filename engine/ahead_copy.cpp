#include "engine/ahead_copy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include "engine/platform_error.h"
#include "engine/write_fully.h"

namespace rivex {
namespace {

// The copier looks at its limit between chunks, so a stop waits for a chunk at most.
constexpr std::uint64_t kChunk = 16 << 20;
constexpr std::size_t kFallbackBlock = 256 * 1024;

}  // namespace

bool AheadCopy::Suits(int outputFd) {
    struct stat st {};
    return ::fstat(outputFd, &st) == 0 && S_ISREG(st.st_mode);
}

AheadCopy::AheadCopy(int sourceFd, std::uint64_t size, int outputFd, std::string outputName)
    : sourceFd_(sourceFd),
      outputFd_(outputFd),
      outputName_(std::move(outputName)),
      outputStart_(::lseek(outputFd, 0, SEEK_CUR)),
      size_(size),
      limit_(std::min(size, kMostAhead)),
      copier_(&AheadCopy::CopyChunks, this) {}

// A run that ends by an error keeps no more of the copy than it had counted.
AheadCopy::~AheadCopy() {
    if (copier_.joinable()) Stop();
    if (copied_ > kept_) ::ftruncate(outputFd_, outputStart_ + static_cast<off_t>(kept_));
}

void AheadCopy::Keep(std::uint64_t bytes) {
    kept_ += bytes;
    if (const int error = error_.load(std::memory_order_relaxed); error != 0) {
        Stop();
        throw FileError(error, outputName_);
    }
    limit_.store(std::min(size_, kept_ + kMostAhead));
    limit_.notify_one();
}

void AheadCopy::Stop() {
    limit_.store(std::min(size_, kept_) | kLast);
    limit_.notify_one();
    copier_.join();
}

void AheadCopy::Finish() {
    Stop();
    int error = error_;
    // A source that grew while it was read: the copier stopped at its first size.
    if (error == 0 && copied_ < kept_) {
        off_t offset = static_cast<off_t>(copied_);
        error = CopyChunk(offset, static_cast<std::size_t>(kept_ - copied_));
        copied_ = static_cast<std::uint64_t>(offset);
    }
    if (error != 0) throw FileError(error, outputName_);
    const off_t end = outputStart_ + static_cast<off_t>(kept_);
    if (copied_ > kept_ && ::ftruncate(outputFd_, end) != 0) throw FileError(errno, outputName_);
    copied_ = kept_;
    if (::lseek(outputFd_, end, SEEK_SET) < 0) throw FileError(errno, outputName_);
}

// Copies up to the limit, then waits for the loop to raise it or to say it is the last.
void AheadCopy::CopyChunks() {
    off_t offset = 0;
    while (true) {
        const std::uint64_t limit = limit_.load();
        if (copied_ >= (limit & ~kLast)) {
            if ((limit & kLast) != 0) return;
            limit_.wait(limit);
            continue;
        }
        const std::uint64_t length = std::min(kChunk, (limit & ~kLast) - copied_);
        const int error = CopyChunk(offset, static_cast<std::size_t>(length));
        copied_ = static_cast<std::uint64_t>(offset);
        if (error != 0) {
            error_ = error;
            return;
        }
    }
}

int AheadCopy::CopyChunk(off_t& offset, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::copy_file_range(sourceFd_, &offset, outputFd_, nullptr, length, 0);
        if (n > 0) {
            length -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // Across file systems, or to a device: the bytes go through this process instead.
        if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                      errno == EBADF)) {
            return CopyByReading(offset, length);
        }
        return n < 0 ? errno : EIO;
    }
    return 0;
}

int AheadCopy::CopyByReading(off_t& offset, std::size_t length) {
    std::vector<char> block(kFallbackBlock);
    while (length > 0) {
        const ssize_t got =
            ::pread(sourceFd_, block.data(), std::min(length, block.size()), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return got < 0 ? errno : EIO;
        if (const int error = WriteFully(outputFd_, block.data(), static_cast<std::size_t>(got));
            error != 0) {
            return error;
        }
        offset += got;
        length -= static_cast<std::size_t>(got);
    }
    return 0;
}

}  // namespace rivex
