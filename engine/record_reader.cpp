#include "engine/record_reader.h"

#include <algorithm>
#include <cstring>

namespace rivex {

RecordReader::RecordReader(ByteSource& source, std::size_t blockSize)
    : source_(source), blockSize_(blockSize), buffer_(blockSize + kOverread) {}

bool RecordReader::Fill() {
    if (sourceDone_) return false;
    if (pos_ > 0) {
        // Roll the partial record to the front.
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        scanned_ -= pos_;
        pos_ = 0;
    }
    // Grows only for a record longer than what the buffer holds beside a block.
    if (buffer_.size() - kOverread - end_ < blockSize_) {
        buffer_.resize(std::max(buffer_.size() * 2, end_ + blockSize_ + kOverread));
    }
    const std::size_t n = source_.Read(buffer_.data() + end_, blockSize_);
    if (n == 0) {
        sourceDone_ = true;
        return false;
    }
    // Nothing after a 0x1A is ever read: the data ends there.
    const void* mark = std::memchr(buffer_.data() + end_, 0x1A, n);
    if (mark != nullptr) {
        end_ = static_cast<std::size_t>(static_cast<const char*>(mark) - buffer_.data());
        sourceDone_ = true;
    } else {
        end_ += n;
    }
    return true;
}

bool RecordReader::AtEndSlow() {
    while (pos_ == end_) {
        if (!Fill()) return true;
    }
    if (skipLf_) {
        skipLf_ = false;
        if (buffer_[pos_] == '\n') {
            ++pos_;
            ++consumed_;
            scanned_ = pos_;
            return AtEnd();
        }
    }
    return false;
}

RecordReader::Run RecordReader::NextRun(std::int64_t maxRecords) {
    while (true) {
        const char* const start = buffer_.data() + pos_;
        const char* const end = buffer_.data() + end_;
        const char* p = start;
        std::int64_t records = 0;
        const char* cr = nullptr;
        while (records < maxRecords) {
            cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
            if (cr == nullptr || cr + 1 == end || cr[1] != '\n') break;
            p = cr + 2;
            ++records;
        }
        // A record whose end is not in the buffer yet is read on before giving up.
        const bool endUnseen = records == 0 && (cr == nullptr || cr + 1 == end);
        if (endUnseen && Fill()) continue;
        const auto length = static_cast<std::size_t>(p - start);
        pos_ += length;
        scanned_ = pos_;
        consumed_ += length;
        return {std::string_view(start, length), records};
    }
}

// The record's end is not in the buffer: read on until it is, or the source ends.
std::string_view RecordReader::NextSlow() {
    while (true) {
        scanned_ = end_;
        if (!Fill()) {
            const std::string_view record(buffer_.data() + pos_, end_ - pos_);
            consumed_ += end_ - pos_;
            pos_ = scanned_ = end_;
            return record;
        }
        const void* cr = std::memchr(buffer_.data() + scanned_, '\r', end_ - scanned_);
        if (cr != nullptr) return Next();
    }
}

}  // namespace rivex
