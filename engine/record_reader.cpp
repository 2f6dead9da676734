#include "engine/record_reader.h"

#include <algorithm>
#include <cstring>

namespace rivex {

RecordReader::RecordReader(ByteSource& source, std::size_t blockSize)
    : source_(source), blockSize_(blockSize), keep_(kKeepAll), buffer_(blockSize + kOverread) {}

void RecordReader::SetKeep(std::size_t keep) {
    keep_ = std::max(keep, blockSize_);
}

std::size_t RecordReader::ReadBlock(std::size_t at) {
    if (sourceDone_) return 0;
    const std::size_t n = source_.Read(buffer_.data() + at, blockSize_);
    if (n == 0) {
        sourceDone_ = true;
        return 0;
    }
    // Nothing after a 0x1A is ever read: the data ends there.
    const void* mark = std::memchr(buffer_.data() + at, 0x1A, n);
    if (mark == nullptr) return n;
    sourceDone_ = true;
    return static_cast<std::size_t>(static_cast<const char*>(mark) - (buffer_.data() + at));
}

bool RecordReader::Fill() {
    if (sourceDone_) return false;
    if (pos_ > 0) {
        // Roll the partial record to the front.
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        scanned_ -= pos_;
        pos_ = 0;
    }
    // Grows only while one record is longer than what the buffer holds beside a block, and
    // never past what the reader keeps of a record.
    if (buffer_.size() - kOverread - end_ < blockSize_) {
        const std::size_t need = end_ + blockSize_ + kOverread;
        buffer_.resize(
            std::min(std::max(buffer_.size() * 2, need), keep_ + blockSize_ + kOverread));
    }
    const std::size_t n = ReadBlock(end_);
    end_ += n;
    return n > 0;
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
        // A record whose end is not in the buffer yet is read on before giving up, as far
        // as the reader keeps a record.
        const bool endUnseen = records == 0 && (cr == nullptr || cr + 1 == end);
        if (endUnseen && end_ - pos_ < keep_ && Fill()) continue;
        const auto length = static_cast<std::size_t>(p - start);
        pos_ += length;
        scanned_ = pos_;
        consumed_ += length;
        return {std::string_view(start, length), records};
    }
}

// The record's end is not in the buffer: read on until it is, the source ends, or the
// record is longer than the reader keeps.
std::string_view RecordReader::NextSlow() {
    while (true) {
        scanned_ = end_;
        if (end_ - pos_ >= keep_) return LongRecordHead();
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

// The first keep_ bytes at the front of the buffer, followed by room for a block that the
// rest streams through.
std::string_view RecordReader::LongRecordHead() {
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (buffer_.size() < keep_ + blockSize_ + kOverread) {
        buffer_.resize(keep_ + blockSize_ + kOverread);
    }
    consumed_ += keep_;
    partial_ = true;
    return {buffer_.data(), keep_};
}

std::uint64_t RecordReader::Rest(const Piece& piece) {
    partial_ = false;
    std::uint64_t length = keep_;
    std::size_t from = keep_;
    while (true) {
        const char* const base = buffer_.data();
        const void* cr = std::memchr(base + from, '\r', end_ - from);
        const std::size_t to =
            cr == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(cr) - base);
        if (piece && to > from) piece(std::string_view(base + from, to - from));
        length += to - from;
        consumed_ += to - from;
        if (cr != nullptr) {
            ++consumed_;
            pos_ = scanned_ = to + 1;
            skipLf_ = true;
            return length;
        }
        from = keep_;
        end_ = keep_ + ReadBlock(keep_);
        if (end_ == keep_) {
            pos_ = scanned_ = end_;
            return length;
        }
    }
}

}  // namespace rivex
