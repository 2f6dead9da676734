// Reading a regular file on a helper thread a block or two ahead of the record loop, into
// buffers that the loop takes over as they are: on two cores the kernel's copy of the next
// block runs beside the work on this one, and nothing is copied twice.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rivex {

// Bytes read ahead: [at, at + size) of `buffer`. None at the end of the file.
struct AheadBlock {
    std::vector<char> buffer;
    std::size_t at = 0;
    std::size_t size = 0;
    // What the look found in the bytes on the reader's thread: a bit for each byte, and a
    // place among them.
    std::vector<std::uint64_t> bits;
    std::size_t place = 0;
};

class ReadAhead {
  public:
    // The room each buffer keeps free before and after the bytes read into it.
    struct Room {
        std::size_t before;
        std::size_t after;
    };

    // Work done on each block on the reader's thread as soon as it is read, so that the
    // loop need not: it sets the block's `bits` and `place`.
    using Look = std::function<void(AheadBlock&)>;

    // Starts reading `fd` from its offset on, `blockSize` bytes at a time, with every signal
    // blocked in the reader. `path` names the file in errors. Throws std::system_error when
    // no thread can be started.
    ReadAhead(int fd, std::string path, std::size_t blockSize, Room room, Look look);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block, waiting for it; each block's `at` lies on a cache line. Throws
    // PlatformError for a read that failed.
    AheadBlock Take();

    // A block's buffers to use again: one from Take, or any other.
    void GiveBack(AheadBlock block);

  private:
    static constexpr std::size_t kBlocks = 2;
    static constexpr std::size_t kLine = 64;

    void ReadBlocks();

    const int fd_;
    const std::string path_;
    const std::size_t blockSize_;
    const Room room_;
    const Look look_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<AheadBlock> free_;  // buffers to read into
    std::deque<AheadBlock> read_;   // blocks read, in order
    int error_ = 0;                 // errno of the read that failed
    bool ended_ = false;            // the reader read its last block
    bool stop_ = false;
    std::thread reader_;
};

}  // namespace rivex
