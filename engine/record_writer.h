// Writes output records through a large buffer; every write and the close are checked.
#pragma once

#include <sys/types.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rivex {

class RecordWriter {
  public:
    static constexpr std::size_t kDefaultBlockSize = 256 * 1024;

    // Takes ownership of the open descriptor `fd` of the file `name` (for its errors); writes
    // from the descriptor's offset on. `buffer` is taken as the writer's own, as it is: a
    // buffer from ReleaseBuffer saves clearing a new one.
    RecordWriter(int fd, std::string name, std::size_t blockSize = kDefaultBlockSize,
                 std::vector<char> buffer = {});
    // Writes to the end of `sink` instead of a file: for output that is only looked at.
    explicit RecordWriter(std::string& sink);
    // Closes without reporting: only for a run that already ends by an error. A regular file
    // is left holding whole records only (CutToWholeRecords).
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void Append(std::string_view bytes) {
        if (bytes.size() <= buffer_.size() - used_) {
            std::copy(bytes.begin(), bytes.end(), buffer_.data() + used_);
            used_ += bytes.size();
        } else {
            AppendLarge(bytes);
        }
    }
    void EndRecord() {
        // Both bytes go in, so that the copy takes no call; the second counts only when the
        // line end has it.
        if (buffer_.size() - used_ >= sizeof lineEnd_) {
            std::memcpy(buffer_.data() + used_, lineEnd_, sizeof lineEnd_);
            used_ += lineEndSize_;
        } else {
            AppendLarge({lineEnd_, lineEndSize_});
        }
        MarkWhole();
    }
    // A record ends with what was taken so far.
    void MarkWhole() { wholeTaken_ = Taken(); }
    // What EndRecord writes, one or two bytes: "\r\n" unless set otherwise.
    void SetLineEnd(std::string_view lineEnd) {
        lineEndSize_ = std::min(lineEnd.size(), sizeof lineEnd_);
        std::copy_n(lineEnd.begin(), lineEndSize_, lineEnd_);
    }
    // Room for at most `size` bytes that the caller fills at once, and `slack` bytes after
    // them that it may scribble on; null when the buffer is smaller. Commit says how many
    // of them were filled.
    char* Reserve(std::size_t size, std::size_t slack) {
        if (size + slack > buffer_.size()) return nullptr;
        if (size + slack > buffer_.size() - used_) Flush();
        return buffer_.data() + used_;
    }
    void Commit(std::size_t filled) { used_ += filled; }
    // Bytes written as they are, past the buffer when they are many.
    void AppendRun(std::string_view bytes) {
        if (bytes.size() < buffer_.size() / 4) {
            Append(bytes);
        } else {
            Flush();
            WriteAll(bytes.data(), bytes.size());
        }
    }

    // The descriptor, for a copy that goes past this writer: Flush first, and Skip after.
    int fd() const { return fd_; }
    // `bytes` were written to the descriptor past this writer; `whole` when a record ends
    // with them.
    void Skip(std::uint64_t bytes, bool whole);

    // Writes what is buffered of whole records and cuts a regular file back to its last whole
    // record, never below where this writer began: what a run that ends by an error leaves.
    void CutToWholeRecords() noexcept;

    // Bytes taken so far, and a cut back to an earlier count: what was taken after it is
    // dropped, and for a regular file cut off again. Throws PlatformError.
    std::uint64_t Taken() const { return written_ + used_; }
    void CutBack(std::uint64_t taken);

    // Writes what is buffered.
    void Flush();

    // Writes what is buffered and closes the file. Throws PlatformError; a full disk often
    // shows only here.
    void Close();

    // The buffer, for the next writer; only after Close.
    std::vector<char> ReleaseBuffer() { return std::move(buffer_); }

  private:
    void AppendLarge(std::string_view bytes);
    void WriteAll(const char* data, std::size_t size);

    int fd_;
    std::string* sink_ = nullptr;
    std::string name_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    char lineEnd_[2] = {'\r', '\n'};
    std::size_t lineEndSize_ = 2;
    std::uint64_t written_ = 0;  // bytes written to fd_ by this writer
    // Taken() where the last record ended, and the last such place already written.
    std::uint64_t wholeTaken_ = 0;
    std::uint64_t wholeWritten_ = 0;
    off_t start_ = -1;  // the descriptor's offset when this writer began; -1 for no file
};

}  // namespace rivex
