// Reading a regular file on a helper thread a block or two ahead of the record loop, into
// buffers that the loop takes over as they are: on two cores the kernel's copy of the next
// block runs beside the work on this one, and nothing is copied twice.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
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

    // Starts reading `fd` from its offset on (through a duplicate of it), `blockSize` bytes at
    // a time, with every signal blocked in the reader. `path` names the file in errors.
    // Throws std::system_error when no thread can be started, PlatformError when the
    // descriptor cannot be duplicated.
    ReadAhead(int fd, std::string path, std::size_t blockSize, Room room, Look look);
    // Tells the reader to stop and leaves it: a read that hangs (a stalled disk or network
    // file) holds no one, and the reader ends on its own once it returns.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block, waiting at most `wait` for it: none when it did not come in time. Each
    // block's `at` lies on a cache line. Throws PlatformError for a read that failed.
    std::optional<AheadBlock> Take(std::chrono::milliseconds wait);

    // A block's buffers to use again: one from Take, or any other.
    void GiveBack(AheadBlock block);

  private:
    // What the reader and the loop share; the reader keeps it as long as it runs.
    struct Shared;
    static void ReadBlocks(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
};

}  // namespace rivex
