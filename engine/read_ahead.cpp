#include "engine/read_ahead.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>

#include "engine/platform_error.h"
#include "engine/stop_signals.h"

namespace rivex {

ReadAhead::ReadAhead(int fd, std::string path, std::size_t blockSize, Room room, Look look)
    : fd_(fd), path_(std::move(path)), blockSize_(blockSize), room_(room), look_(std::move(look)) {
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

void ReadAhead::GiveBack(AheadBlock block) {
    {
        const std::lock_guard lock(mutex_);
        free_.push_back(std::move(block));
    }
    changed_.notify_all();
}

// Reads into each buffer given, until the end of the file, a failure or a stop. A buffer
// too small for a block and its room grows first.
void ReadAhead::ReadBlocks() {
    while (true) {
        AheadBlock block;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || !free_.empty(); });
            if (stop_) return;
            block = std::move(free_.back());
            free_.pop_back();
        }
        std::vector<char>& buffer = block.buffer;
        const std::size_t need = room_.before + kLine + blockSize_ + room_.after;
        if (buffer.size() < need) buffer.resize(need);
        const auto misaligned =
            reinterpret_cast<std::uintptr_t>(buffer.data() + room_.before) % kLine;
        block.at = room_.before + (misaligned == 0 ? 0 : kLine - misaligned);
        ssize_t n = 0;
        do {
            n = ::read(fd_, buffer.data() + block.at, blockSize_);
        } while (n < 0 && errno == EINTR);
        const int error = n < 0 ? errno : 0;
        if (n > 0) {
            block.size = static_cast<std::size_t>(n);
            look_(block);
        }
        {
            const std::lock_guard lock(mutex_);
            if (n > 0) {
                read_.push_back(std::move(block));
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
