#include "engine/read_ahead.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "engine/platform_error.h"
#include "engine/stop_signals.h"

namespace rivex {

namespace {

constexpr std::size_t kBlocks = 2;
constexpr std::size_t kLine = 64;

}  // namespace

struct ReadAhead::Shared {
    Shared(int fd, std::string path, std::size_t blockSize, Room room, Look look)
        : fd(fd), path(std::move(path)), blockSize(blockSize), room(room), look(std::move(look)) {
        free.resize(kBlocks);
    }
    ~Shared() { ::close(fd); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    const int fd;
    const std::string path;
    const std::size_t blockSize;
    const Room room;
    const Look look;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<AheadBlock> free;  // buffers to read into
    std::deque<AheadBlock> read;   // blocks read, in order
    int error = 0;                 // errno of the read that failed
    bool ended = false;            // the reader read its last block
    bool stop = false;
};

ReadAhead::ReadAhead(int fd, std::string path, std::size_t blockSize, Room room, Look look) {
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) throw FileError(errno, path);
    shared_ = std::make_shared<Shared>(own, std::move(path), blockSize, room, std::move(look));
    const SignalsBlocked blocked;
    std::thread(&ReadAhead::ReadBlocks, shared_).detach();
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->changed.notify_all();
}

std::optional<AheadBlock> ReadAhead::Take(std::chrono::milliseconds wait) {
    Shared& s = *shared_;
    std::unique_lock lock(s.mutex);
    if (!s.changed.wait_for(lock, wait, [&s] { return !s.read.empty() || s.ended; })) {
        return std::nullopt;
    }
    if (!s.read.empty()) {
        AheadBlock block = std::move(s.read.front());
        s.read.pop_front();
        return block;
    }
    if (s.error != 0) throw FileError(s.error, s.path);
    return AheadBlock{};
}

void ReadAhead::GiveBack(AheadBlock block) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->free.push_back(std::move(block));
    }
    shared_->changed.notify_all();
}

// Reads into each buffer given, until the end of the file, a failure or a stop. A buffer
// too small for a block and its room grows first.
void ReadAhead::ReadBlocks(const std::shared_ptr<Shared>& shared) {
    Shared& s = *shared;
    while (true) {
        AheadBlock block;
        {
            std::unique_lock lock(s.mutex);
            s.changed.wait(lock, [&s] { return s.stop || !s.free.empty(); });
            if (s.stop) return;
            block = std::move(s.free.back());
            s.free.pop_back();
        }
        std::vector<char>& buffer = block.buffer;
        const std::size_t need = s.room.before + kLine + s.blockSize + s.room.after;
        if (buffer.size() < need) buffer.resize(need);
        const auto misaligned =
            reinterpret_cast<std::uintptr_t>(buffer.data() + s.room.before) % kLine;
        block.at = s.room.before + (misaligned == 0 ? 0 : kLine - misaligned);
        ssize_t n = 0;
        do {
            n = ::read(s.fd, buffer.data() + block.at, s.blockSize);
        } while (n < 0 && errno == EINTR);
        const int error = n < 0 ? errno : 0;
        if (n > 0) {
            block.size = static_cast<std::size_t>(n);
            s.look(block);
        }
        {
            const std::lock_guard lock(s.mutex);
            if (n > 0) {
                s.read.push_back(std::move(block));
            } else {
                s.error = error;
                s.ended = true;
            }
        }
        s.changed.notify_all();
        if (n <= 0) return;
    }
}

}  // namespace rivex
