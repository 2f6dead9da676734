#include "engine/ahead_copy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>
#include <vector>

#include "engine/platform_error.h"
#include "engine/read_fully.h"
#include "engine/stop_signals.h"
#include "engine/write_fully.h"

namespace rivex {
namespace {

// The copier looks at its limit between chunks, so a stop waits for a chunk at most.
constexpr std::uint64_t kChunk = 8 << 20;
constexpr std::size_t kFallbackBlock = 256 * 1024;
// The loop looks again after a pause that starts short, so that a copy about to end costs
// little, and grows to this.
constexpr auto kLongestPause = std::chrono::milliseconds(20);

off_t CurrentOffset(int fd) {
    return ::lseek(fd, 0, SEEK_CUR);
}

}  // namespace

bool AheadCopy::Suits(int outputFd) {
    struct stat st {};
    return ::fstat(outputFd, &st) == 0 && S_ISREG(st.st_mode);
}

AheadCopy::AheadCopy(Ends ends, Waiting waiting)
    : ends_(std::move(ends)),
      waiting_(std::move(waiting)),
      outputStart_(CurrentOffset(ends_.outputFd)),
      limit_(std::min(ends_.size, kMostAhead)) {
    const SignalsBlocked blocked;
    copier_ = std::thread(&AheadCopy::CopyChunks, this);
}

AheadCopy::~AheadCopy() {
    if (copier_.joinable()) Abandon();
}

void AheadCopy::ThrowIfFailed(int error) {
    if (error == 0) return;
    if (error == kSourceShrank) {
        throw SourceChanged(ends_.sourceName);
    }
    throw FileError(error, ends_.outputName);
}

void AheadCopy::Keep(std::uint64_t bytes, bool whole) {
    kept_ += bytes;
    if (whole) wholeKept_ = kept_;
    if (const int error = error_.load(std::memory_order_relaxed); error != 0) {
        Stop();
        ThrowIfFailed(error);
    }
    limit_.store(std::min(ends_.size, kept_ + kMostAhead));
    limit_.notify_one();
    if (kept_ > progress_.load(std::memory_order_relaxed) + kMostBehind) {
        AwaitCopier(kept_ - kMostBehind);
    }
}

// Waits, letting the program work meanwhile, until the copier has copied `upTo` bytes or
// has stopped.
void AheadCopy::AwaitCopier(std::uint64_t upTo) {
    std::chrono::microseconds pause(50);
    while (progress_.load() < upTo && !stopped_.load()) {
        if (waiting_) waiting_();
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, kLongestPause);
    }
}

void AheadCopy::Stop() {
    limit_.store(std::min(ends_.size, kept_) | kLast);
    limit_.notify_one();
    copier_.join();
}

std::uint64_t AheadCopy::Finish(Keeping keeping) {
    if (keeping == Keeping::WholeRecords) kept_ = wholeKept_;
    limit_.store(std::min(ends_.size, kept_) | kLast);
    limit_.notify_one();
    AwaitCopier(kept_);
    copier_.join();
    int error = error_;
    // A source that grew while it was read: the copier stopped at its first size.
    if (error == 0 && copied_ < kept_) {
        off_t offset = static_cast<off_t>(ends_.from + copied_);
        error = CopyChunk(offset, static_cast<std::size_t>(kept_ - copied_));
        copied_ = static_cast<std::uint64_t>(offset) - ends_.from;
    }
    ThrowIfFailed(error);
    const off_t end = outputStart_ + static_cast<off_t>(kept_);
    if (copied_ > kept_ && ::ftruncate(ends_.outputFd, end) != 0) {
        throw FileError(errno, ends_.outputName);
    }
    copied_ = kept_;
    if (::lseek(ends_.outputFd, end, SEEK_SET) < 0) throw FileError(errno, ends_.outputName);
    return kept_;
}

std::uint64_t AheadCopy::Abandon() noexcept {
    if (copier_.joinable()) Stop();
    const std::uint64_t whole = copied_ >= wholeKept_ ? wholeKept_ : LastRecordEnd(copied_);
    const off_t end = outputStart_ + static_cast<off_t>(whole);
    if (::ftruncate(ends_.outputFd, end) == 0) ::lseek(ends_.outputFd, end, SEEK_SET);
    copied_ = whole;
    return whole;
}

// The end of the last record that ends within the first `upTo` bytes copied: every line end
// in what was kept ends a kept record. 0 when there is none, or the source cannot tell.
std::uint64_t AheadCopy::LastRecordEnd(std::uint64_t upTo) const {
    const std::string_view lineEnd = ends_.lineEnd;
    std::vector<char> block(kFallbackBlock + lineEnd.size());
    std::uint64_t to = upTo;
    while (to >= lineEnd.size()) {
        const std::uint64_t from = to > kFallbackBlock ? to - kFallbackBlock : 0;
        const auto length = static_cast<std::size_t>(to - from);
        if (ReadFully(ends_.sourceFd, block.data(), length,
                      static_cast<off_t>(ends_.from + from)) != static_cast<ssize_t>(length)) {
            return 0;
        }
        const std::string_view bytes(block.data(), length);
        if (const auto at = bytes.rfind(lineEnd); at != std::string_view::npos) {
            return from + at + lineEnd.size();
        }
        // A line end may straddle the blocks.
        to = from + std::min<std::uint64_t>(length, lineEnd.size() - 1);
        if (from == 0) break;
    }
    return 0;
}

// Copies up to the limit, then waits for the loop to raise it or to say it is the last.
void AheadCopy::CopyChunks() {
    off_t offset = static_cast<off_t>(ends_.from);
    while (true) {
        const std::uint64_t limit = limit_.load();
        if (copied_ >= (limit & ~kLast)) {
            if ((limit & kLast) != 0) break;
            limit_.wait(limit);
            continue;
        }
        const std::uint64_t length = std::min(kChunk, (limit & ~kLast) - copied_);
        const int error = CopyChunk(offset, static_cast<std::size_t>(length));
        copied_ = static_cast<std::uint64_t>(offset) - ends_.from;
        progress_.store(copied_);
        if (error != 0) {
            error_ = error;
            break;
        }
    }
    stopped_.store(true);
}

int AheadCopy::CopyChunk(off_t& offset, std::size_t length) {
    while (length > 0) {
        const ssize_t n =
            ::copy_file_range(ends_.sourceFd, &offset, ends_.outputFd, nullptr, length, 0);
        if (n > 0) {
            length -= static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) return kSourceShrank;
        if (errno == EINTR) continue;
        // Across file systems, to a device, or to a file opened for appending: the bytes go
        // through this process instead.
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
            errno == EBADF) {
            return CopyByReading(offset, length);
        }
        return errno;
    }
    return 0;
}

int AheadCopy::CopyByReading(off_t& offset, std::size_t length) {
    std::vector<char> block(kFallbackBlock);
    while (length > 0) {
        const ssize_t got =
            ::pread(ends_.sourceFd, block.data(), std::min(length, block.size()), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got == 0) return kSourceShrank;
        if (got < 0) return errno;
        if (const int error = WriteFully(ends_.outputFd, block.data(),
                                         static_cast<std::size_t>(got), OnStopSignal::GoOn);
            error != 0) {
            return error;
        }
        offset += got;
        length -= static_cast<std::size_t>(got);
    }
    return 0;
}

}  // namespace rivex
