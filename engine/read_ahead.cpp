#include "engine/read_ahead.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>

#include "engine/platform_error.h"
#include "engine/stop_signals.h"

namespace rivex {

ReadAhead::ReadAhead(int fd, std::string path, std::size_t blockSize, Room room)
    : fd_(fd), path_(std::move(path)), blockSize_(blockSize), room_(room) {
    free_.resize(kBlocks);
    const SignalsBlocked blocked;
    reader_ = std::thread(&ReadAhead::ReadBlocks, this);
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

AheadBlock ReadAhead::Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !read_.empty() || error_ != 0 || ended_; });
    if (!read_.empty()) {
        AheadBlock block = std::move(read_.front());
        read_.pop_front();
        return block;
    }
    if (error_ != 0) throw FileError(error_, path_);
    return {};
}

void ReadAhead::GiveBack(std::vector<char> buffer) {
    {
        const std::lock_guard lock(mutex_);
        free_.push_back(std::move(buffer));
    }
    changed_.notify_all();
}

// Reads into each buffer given, until the end of the file, a failure or a stop. A buffer
// too small for a block and its room grows first.
void ReadAhead::ReadBlocks() {
    while (true) {
        std::vector<char> buffer;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || !free_.empty(); });
            if (stop_) return;
            buffer = std::move(free_.back());
            free_.pop_back();
        }
        const std::size_t need = room_.before + kLine + blockSize_ + room_.after;
        if (buffer.size() < need) buffer.resize(need);
        const auto misaligned =
            reinterpret_cast<std::uintptr_t>(buffer.data() + room_.before) % kLine;
        const std::size_t at = room_.before + (misaligned == 0 ? 0 : kLine - misaligned);
        ssize_t n = 0;
        do {
            n = ::read(fd_, buffer.data() + at, blockSize_);
        } while (n < 0 && errno == EINTR);
        const int error = n < 0 ? errno : 0;
        {
            const std::lock_guard lock(mutex_);
            if (n > 0) {
                read_.push_back({std::move(buffer), at, static_cast<std::size_t>(n)});
            } else {
                error_ = error;
                ended_ = true;
            }
        }
        changed_.notify_all();
        if (n <= 0) return;
    }
}

}  // namespace rivex
