#include "engine/record_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/platform_error.h"
#include "engine/write_fully.h"

namespace rivex {

RecordWriter::RecordWriter(int fd, std::string name, std::size_t blockSize)
    : fd_(fd), name_(std::move(name)), buffer_(blockSize) {}

// Output that is only looked at is small.
RecordWriter::RecordWriter(std::string& sink) : fd_(-1), sink_(&sink), buffer_(64 * 1024) {}

RecordWriter::~RecordWriter() {
    if (fd_ < 0) return;
    // A run ended by an error keeps the records it had taken as written.
    try {
        Flush();
    } catch (const PlatformError&) {
    }
    ::close(fd_);
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
}

void RecordWriter::CutBack(std::uint64_t taken) {
    if (taken >= written_) {
        used_ = static_cast<std::size_t>(taken - written_);
        return;
    }
    used_ = 0;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return;  // sent on: cannot be undone
    const off_t end = ::lseek(fd_, 0, SEEK_CUR) - static_cast<off_t>(written_ - taken);
    if (::ftruncate(fd_, end) != 0 || ::lseek(fd_, end, SEEK_SET) < 0) {
        throw FileError(errno, name_);
    }
    written_ = taken;
}

void RecordWriter::Close() {
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw FileError(errno, name_);
}

}  // namespace rivex
