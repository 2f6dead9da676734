// Where the record reader gets its bytes: a file descriptor, or memory for tests.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/read_ahead.h"

namespace rivex {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes into `buffer`; 0 at the end. Throws PlatformError.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // The total size in bytes, when it can be known.
    virtual std::optional<std::uint64_t> Size() const = 0;

    // Asks for the bytes to be read ahead on a helper thread, `blockSize` at a time, each
    // block in a buffer with `room` around it and looked at by `look` there; a source that
    // cannot goes on with Read.
    virtual void ReadAheadInBlocks(std::size_t /*blockSize*/, ReadAhead::Room /*room*/,
                                   ReadAhead::Look /*look*/) {}
    // The next block read ahead (a block of no bytes at the end), from where Read would go on;
    // none while the source reads no block ahead. From the first block on, every read is one.
    // Throws PlatformError.
    virtual std::optional<AheadBlock> TakeAhead() { return std::nullopt; }
    // A block's buffers to read ahead into again.
    virtual void GiveBack(AheadBlock /*block*/) {}
};

// Thrown by a read hook to end the reading at once, with no record to count.
struct ReadCancelled {};

// An open file, closed by the destructor.
class FileSource : public ByteSource {
  public:
    // Opens `path` for reading without waiting for a FIFO's writer; a folder or an
    // unreadable path throws PlatformError.
    explicit FileSource(const std::string& path);
    // Standard input, named `name` in errors; refused when it was closed as the program
    // started.
    static std::unique_ptr<FileSource> StandardInput(std::string name);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Called before each read with `waiting` false, and about every kWaitMs while a read
    // from a pipe or device waits for bytes with `waiting` true. It may throw ReadCancelled.
    using ReadHook = std::function<void(bool waiting)>;
    static constexpr int kWaitMs = 40;
    void SetReadHook(ReadHook hook) { hook_ = std::move(hook); }

    // The first `size` bytes of the file (fewer when it is shorter), read ahead and then
    // handed out again by Read. Only before the first Read. A source that is no regular file
    // ends the look-ahead early, once what came holds a line end and more would have to be
    // waited for.
    std::string_view Peek(std::size_t size);

    // Hands the next `size` peeked bytes to no one: they are no part of any record.
    void Consume(std::size_t size) {
        peekedTaken_ += std::min(size, peeked_.size() - peekedTaken_);
    }

    // Throws PlatformError naming the source when a regular file's size or modification time
    // is no longer what they were when it was opened: it was changed while it was read.
    void CheckUnchanged() const;

    // Reads on from byte `offset` of a regular file. Only before the first Read or Peek.
    void SeekTo(std::uint64_t offset);

    std::size_t Read(char* buffer, std::size_t size) override;
    std::optional<std::uint64_t> Size() const override { return size_; }
    int fd() const { return fd_; }

    // A regular file of at least kAheadFrom bytes, other than standard input, is read ahead
    // once the peeked bytes are handed out; the read hook is called before each block is
    // taken, and about every kWaitMs while one is waited for.
    static constexpr std::uint64_t kAheadFrom = 4 << 20;
    void ReadAheadInBlocks(std::size_t blockSize, ReadAhead::Room room,
                           ReadAhead::Look look) override;
    std::optional<AheadBlock> TakeAhead() override;
    void GiveBack(AheadBlock block) override;
    bool ReadsAhead() const { return ahead_ != nullptr; }

  private:
    FileSource(int fd, std::string path);
    void AwaitBytes();
    bool MoreWaiting() const;
    std::size_t ReadFile(char* buffer, std::size_t size);

    int fd_;
    std::string path_;
    ReadHook hook_;
    std::string peeked_;
    std::size_t peekedTaken_ = 0;
    std::optional<std::uint64_t> size_;
    struct timespec modified_ {};
    struct AheadWanted {
        std::size_t blockSize;
        ReadAhead::Room room;
        ReadAhead::Look look;
    };
    bool readsAheadAllowed_ = true;
    std::optional<AheadWanted> aheadWanted_;
    std::unique_ptr<ReadAhead> ahead_;
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    std::optional<std::uint64_t> Size() const override { return bytes_.size(); }

  private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

}  // namespace rivex
