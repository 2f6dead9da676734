#include "engine/record_reader.h"

#include <algorithm>
#include <cstring>

namespace rivex {

LineRule DecideLineRule(LineRuleChoice choice, std::string_view firstBytes) {
    switch (choice) {
        case LineRuleChoice::Cr:
            return LineRule::Cr;
        case LineRuleChoice::Lf:
            return LineRule::Lf;
        case LineRuleChoice::Auto:
            break;
    }
    // A stray CR in an LF file, or a stray LF in a CR LF file, is outvoted.
    std::size_t afterCr = 0;
    std::size_t alone = 0;
    for (std::size_t at = firstBytes.find('\n'); at != std::string_view::npos;
         at = firstBytes.find('\n', at + 1)) {
        ++(at > 0 && firstBytes[at - 1] == '\r' ? afterCr : alone);
    }
    return alone > afterCr ? LineRule::Lf : LineRule::Cr;
}

RecordReader::RecordReader(ByteSource& source, LineRule rule, std::size_t blockSize,
                           std::size_t window)
    : source_(source),
      rule_(rule),
      ending_(rule == LineRule::Cr ? '\r' : '\n'),
      blockSize_(blockSize),
      window_(source.CanSee() ? window : 0),
      keep_(kKeepAll),
      buffer_(blockSize + kOverread) {
    base_ = buffer_.data();
    viewing_ = window_ > 0;
}

void RecordReader::SetKeep(std::size_t keep) {
    keep_ = std::max(keep, blockSize_);
}

std::size_t RecordReader::ReadBlock(std::size_t at) {
    if (sourceDone_) return 0;
    std::size_t n = 0;
    if (window_ > 0) {
        const std::string_view seen = source_.See(copyAt_, blockSize_);
        std::memcpy(buffer_.data() + at, seen.data(), seen.size());
        copyAt_ += seen.size();
        n = seen.size();
    } else {
        n = source_.Read(buffer_.data() + at, blockSize_);
    }
    if (n == 0) sourceDone_ = true;
    return n;
}

bool RecordReader::Fill() {
    if (sourceDone_) return false;
    const std::size_t held = end_ - pos_;
    // Back to windows once a record longer than one has passed.
    if (!viewing_ && window_ > 0 && !partial_ && held < window_) {
        viewing_ = true;
        viewAt_ = copyAt_ - end_;
    }
    if (viewing_ && held < window_) return FillView();
    if (viewing_) ToCopies();
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
            std::min(std::max(buffer_.size() * 2, need), keep_ + 1 + blockSize_ + kOverread));
        base_ = buffer_.data();
    }
    const std::size_t n = ReadBlock(end_);
    end_ += n;
    return n > 0;
}

// The next window begins at the first unconsumed byte. One shorter than asked for reaches
// the end of the source.
bool RecordReader::FillView() {
    const std::size_t held = end_ - pos_;
    viewAt_ += pos_;
    const std::string_view seen = source_.See(viewAt_, window_);
    base_ = seen.data();
    scanned_ -= pos_;
    pos_ = 0;
    end_ = seen.size();
    if (end_ < window_) sourceDone_ = true;
    return end_ > held;
}

// A record fills the window: what is held of it goes to the buffer, at most what a long
// record's head needs, and the rest is copied on from the source.
void RecordReader::ToCopies() {
    const std::size_t held = std::min(end_ - pos_, keep_ + 1 + blockSize_);
    if (buffer_.size() < held + blockSize_ + kOverread)
        buffer_.resize(held + blockSize_ + kOverread);
    std::memcpy(buffer_.data(), base_ + pos_, held);
    copyAt_ = viewAt_ + pos_ + held;
    // A window that reached the end of the source may be left with bytes to copy.
    if (held < end_ - pos_) sourceDone_ = false;
    base_ = buffer_.data();
    viewing_ = false;
    scanned_ = std::min(scanned_ - pos_, held);
    end_ = held;
    pos_ = 0;
}

bool RecordReader::AtEndSlow() {
    while (pos_ == end_) {
        if (!Fill()) return true;
    }
    if (skipLf_) {
        skipLf_ = false;
        if (base_[pos_] == '\n') {
            crLf_ = true;
            ++pos_;
            ++consumed_;
            scanned_ = pos_;
            return AtEnd();
        }
    }
    if (base_[pos_] != kEndMark) return false;
    end_ = pos_;
    sourceDone_ = true;
    return true;
}

bool RecordReader::EndedWith(std::string_view lineEnd) const {
    if (rule_ == LineRule::Cr) {
        return lineEnd == "\r\n" && (crLf_ || (skipLf_ && pos_ < end_ && base_[pos_] == '\n'));
    }
    return endedAtLf_ && crBeforeLf_ == (lineEnd == "\r\n");
}

RecordReader::Run RecordReader::NextRun(std::int64_t maxRecords, std::string_view lineEnd) {
    // Under Cr only CR LF ends can be taken as they are; under Lf a CR before the LF decides.
    if (rule_ == LineRule::Cr && lineEnd != "\r\n") return {};
    const bool wantCr = lineEnd == "\r\n";
    while (true) {
        const std::size_t first = pos_;
        std::size_t p = pos_;
        std::int64_t records = 0;
        bool unseen = false;  // whether the next record's end is in the buffer is unknown
        while (records < maxRecords) {
            const std::size_t hit = Scan(p);
            if (hit == end_) {
                unseen = true;
                break;
            }
            if (rule_ == LineRule::Cr) {
                if (hit + 1 == end_) unseen = true;
                if (hit + 1 == end_ || base_[hit + 1] != '\n') break;
                p = hit + 2;
            } else {
                if ((hit > p && base_[hit - 1] == '\r') != wantCr) break;
                p = hit + 1;
            }
            ++records;
        }
        // A record whose end is not in the buffer yet is read on before giving up, as far
        // as the reader keeps a record.
        if (records == 0 && unseen && end_ - pos_ < keep_ && Fill()) continue;
        const std::size_t length = p - first;
        pos_ += length;
        scanned_ = pos_;
        consumed_ += length;
        return {std::string_view(base_ + first, length), records};
    }
}

// The record's end is not in the buffer: read on until it is, the source ends, or the
// record is longer than the reader keeps.
std::string_view RecordReader::NextSlow() {
    while (true) {
        scanned_ = end_;
        if (end_ - pos_ >= keep_) return LongRecordHead();
        if (!Fill()) {
            endedAtLf_ = crLf_ = false;
            const std::string_view record(base_ + pos_, end_ - pos_);
            consumed_ += end_ - pos_;
            pos_ = scanned_ = end_;
            return record;
        }
        if (Scan(scanned_) < end_) return Next();
    }
}

// The first bytes at the front of the buffer, followed by room for a block that the rest
// streams through. Under Lf a CR at the head's end may belong to the line end, so it stays
// for the rest to decide.
std::string_view RecordReader::LongRecordHead() {
    if (viewing_) ToCopies();
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (buffer_.size() < keep_ + 1 + blockSize_ + kOverread) {
        buffer_.resize(keep_ + 1 + blockSize_ + kOverread);
        base_ = buffer_.data();
    }
    head_ = keep_;
    if (rule_ == LineRule::Lf && buffer_[head_ - 1] == '\r') --head_;
    consumed_ += head_;
    partial_ = true;
    return {buffer_.data(), head_};
}

// The rest is scanned from head_ on, then block by block read to keep_ + 1. Under Lf a CR
// at the end of what is held is kept back at keep_ until the next byte shows whether it
// belongs to the line end.
std::uint64_t RecordReader::Rest(const Piece& piece) {
    partial_ = false;
    std::uint64_t length = head_;
    std::size_t from = head_;
    while (true) {
        char* const base = buffer_.data();
        const std::size_t to = Scan(from);
        const bool hit = to < end_;
        std::size_t stop = to;
        if (rule_ == LineRule::Lf && to > from && base[to - 1] == '\r' && !sourceDone_) --stop;
        if (hit) {
            const std::size_t recordEnd = from + EndRecordAt(from, to);
            if (piece && recordEnd > from) piece(std::string_view(base + from, recordEnd - from));
            length += recordEnd - from;
            pos_ = scanned_ = LineEndAfter(to);
            consumed_ += pos_ - from;
            return length;
        }
        if (piece && stop > from) piece(std::string_view(base + from, stop - from));
        length += stop - from;
        consumed_ += stop - from;
        const bool kept = stop < to;
        if (kept) base[keep_] = '\r';
        from = kept ? keep_ : keep_ + 1;
        end_ = keep_ + 1 + ReadBlock(keep_ + 1);
        if (end_ == keep_ + 1 && !kept) {
            pos_ = scanned_ = end_;
            endedAtLf_ = crLf_ = false;
            return length;
        }
    }
}

}  // namespace rivex
