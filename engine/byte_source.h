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

namespace rivex {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes into `buffer`; 0 at the end. Throws PlatformError.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // The total size in bytes, when it can be known.
    virtual std::optional<std::uint64_t> Size() const = 0;
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
