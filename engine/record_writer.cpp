#include "engine/record_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "engine/platform_error.h"
#include "engine/write_fully.h"

namespace rivex {

RecordWriter::RecordWriter(int fd, std::string name, std::size_t blockSize,
                           std::vector<char> buffer)
    : fd_(fd),
      name_(std::move(name)),
      buffer_(std::move(buffer)),
      start_(::lseek(fd, 0, SEEK_CUR)) {
    buffer_.resize(blockSize);
}

// Output that is only looked at is small.
RecordWriter::RecordWriter(std::string& sink) : fd_(-1), sink_(&sink), buffer_(64 * 1024) {}

RecordWriter::~RecordWriter() {
    if (fd_ < 0) return;
    CutToWholeRecords();
    ::close(fd_);
}

void RecordWriter::Skip(std::uint64_t bytes, bool whole) {
    written_ += bytes;
    if (!whole) return;
    MarkWhole();
    wholeWritten_ = wholeTaken_;
}

// A failed write may have left part of its bytes: they go first, then the buffered whole
// records are written again, then anything after the last whole record goes.
void RecordWriter::CutToWholeRecords() noexcept {
    if (sink_ != nullptr || fd_ < 0) return;
    const std::size_t buffered = used_;
    used_ = 0;
    struct stat st {};
    if (start_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return;
    const off_t at = start_ + static_cast<off_t>(written_);
    if (st.st_size > at && (::ftruncate(fd_, at) != 0 || ::lseek(fd_, at, SEEK_SET) != at)) return;
    const std::uint64_t whole = std::min<std::uint64_t>(wholeTaken_ - written_, buffered);
    if (wholeTaken_ > written_ && WriteFully(fd_, buffer_.data(), whole) == 0) {
        written_ = wholeWritten_ = wholeTaken_;
    }
    const off_t end = start_ + static_cast<off_t>(wholeWritten_);
    if (::ftruncate(fd_, end) == 0) written_ = wholeWritten_;
}

void RecordWriter::AppendLarge(std::string_view bytes) {
    Flush();
    if (bytes.size() <= buffer_.size()) {
        Append(bytes);
    } else {
        WriteAll(bytes.data(), bytes.size());
    }
}

void RecordWriter::Flush() {
    WriteAll(buffer_.data(), used_);
    used_ = 0;
}

void RecordWriter::WriteAll(const char* data, std::size_t size) {
    if (sink_ != nullptr) {
        sink_->append(data, size);
        return;
    }
    if (const int error = WriteFully(fd_, data, size); error != 0) throw FileError(error, name_);
    written_ += size;
    if (wholeTaken_ <= written_) wholeWritten_ = wholeTaken_;
}

void RecordWriter::CutBack(std::uint64_t taken) {
    if (taken >= written_) {
        used_ = static_cast<std::size_t>(taken - written_);
        return;
    }
    used_ = 0;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return;  // sent on: cannot be undone
    const off_t end = start_ + static_cast<off_t>(taken);
    if (::ftruncate(fd_, end) != 0 || ::lseek(fd_, end, SEEK_SET) < 0) {
        throw FileError(errno, name_);
    }
    written_ = taken;
    wholeTaken_ = std::min(wholeTaken_, taken);
    wholeWritten_ = std::min(wholeWritten_, taken);
}

void RecordWriter::Close() {
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw FileError(errno, name_);
}

}  // namespace rivex
