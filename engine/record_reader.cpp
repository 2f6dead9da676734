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
                           std::vector<char> buffer)
    : source_(source),
      rule_(rule),
      ending_(rule == LineRule::Cr ? '\r' : '\n'),
      blockSize_(blockSize),
      keep_(kKeepAll),
      buffer_(std::move(buffer)) {
    buffer_.resize(std::max(buffer_.size(), kLine + blockSize + kOverread));
}

void RecordReader::SetKeep(std::size_t keep) {
    keep_ = std::max(keep, blockSize_);
}

// Each block read ahead is looked through on the reading thread: its line end bytes, as bits,
// and the place of its first 0x1A (its size when it has none).
void RecordReader::ReadSourceAhead() {
    source_.ReadAheadInBlocks(
        blockSize_, {kHeadroom, kOverread}, [ending = ending_](AheadBlock& block) {
            const char* const data = block.buffer.data() + block.at;
            block.bits.assign((block.size + kHitBlock - 1) / kHitBlock, 0);
            std::size_t at = 0;
            for (; at + kHitBlock <= block.size; at += kHitBlock) {
                block.bits[at / kHitBlock] = ByteHits(data + at, ending);
            }
            for (; at < block.size; ++at) {
                if (data[at] == ending)
                    block.bits[at / kHitBlock] |= std::uint64_t{1} << at % kHitBlock;
            }
            const void* mark = std::memchr(data, 0x1A, block.size);
            block.place = mark == nullptr
                              ? block.size
                              : static_cast<std::size_t>(static_cast<const char*>(mark) - data);
        });
}

std::size_t RecordReader::ReadBlock(std::size_t at) {
    if (sourceDone_) return 0;
    hits_.clear();
    if (std::optional<AheadBlock> block = source_.TakeAhead()) {
        if (block->size == 0) return CutAtMark(at, 0);  // the end: a block of no buffer
        std::memcpy(buffer_.data() + at, block->buffer.data() + block->at, block->size);
        const std::size_t n = CutAtMark(at, block->size, block->place);
        source_.GiveBack(std::move(*block));
        return n;
    }
    return CutAtMark(at, source_.Read(buffer_.data() + at, blockSize_));
}

std::size_t RecordReader::CutAtMark(std::size_t at, std::size_t size,
                                    std::optional<std::size_t> mark) {
    if (size == 0) {
        sourceDone_ = true;
        return 0;
    }
    // Nothing after a 0x1A is ever read: the data ends there.
    if (!mark) {
        const void* found = std::memchr(buffer_.data() + at, 0x1A, size);
        mark =
            found == nullptr
                ? size
                : static_cast<std::size_t>(static_cast<const char*>(found) - (buffer_.data() + at));
    }
    if (*mark < size) sourceDone_ = true;
    return *mark;
}

void RecordReader::MoveHeld(std::size_t front, std::size_t held) {
    std::memmove(buffer_.data() + front, buffer_.data() + pos_, held);
    scanned_ = scanned_ - pos_ + front;
    pos_ = front;
    end_ = front + held;
    hits_.clear();
}

bool RecordReader::TakeOver(AheadBlock block, std::size_t held) {
    if (block.size == 0) {
        sourceDone_ = true;
        return false;
    }
    const std::size_t front = block.at - held;
    std::memcpy(block.buffer.data() + front, buffer_.data() + pos_, held);
    scanned_ = scanned_ - pos_ + front;
    pos_ = front;
    std::swap(buffer_, block.buffer);
    std::swap(hits_, block.bits);
    hitsAt_ = block.at;
    const std::size_t n = CutAtMark(block.at, block.size, block.place);
    end_ = block.at + n;
    source_.GiveBack(std::move(block));
    return n > 0;
}

// The kernel copies a read several times slower to a place a few bytes past a cache line.
std::size_t RecordReader::ToLine(std::size_t offset) const {
    const auto misaligned = reinterpret_cast<std::uintptr_t>(buffer_.data() + offset) % kLine;
    return misaligned == 0 ? offset : offset + kLine - misaligned;
}

bool RecordReader::Fill() {
    if (sourceDone_) return false;
    const std::size_t held = end_ - pos_;
    // A buffer grown for a long record stays the reader's, as without reading ahead: the
    // next long record needs it again, and one grown anew would stand beside it.
    if (held <= kHeadroom && buffer_.size() <= kHeadroom + kLine + blockSize_ + kOverread) {
        if (std::optional<AheadBlock> block = source_.TakeAhead()) {
            return TakeOver(std::move(*block), held);
        }
    }
    // Grows only while one record is longer than what the buffer holds beside a block, and
    // never past what the reader keeps of a record.
    if (buffer_.size() - kOverread - kLine < held + blockSize_) {
        const std::size_t need = kLine + held + blockSize_ + kOverread;
        buffer_.resize(std::min(std::max(buffer_.size() * 2, need),
                                kLine + keep_ + 1 + blockSize_ + kOverread));
    }
    // The partial record goes to the front, placed so that the read after it starts on a
    // whole cache line.
    const std::size_t front = ToLine(held) - held;
    if (front != pos_) MoveHeld(front, held);
    const std::size_t n = ReadBlock(end_);
    end_ += n;
    return n > 0;
}

bool RecordReader::AtEndSlow() {
    while (pos_ == end_) {
        if (!Fill()) return true;
    }
    if (!skipLf_) return false;
    TakeLfAfterCr();
    return AtEnd();
}

std::int64_t RecordReader::SkipHeld(std::int64_t most) {
    if (partial_) SkipRest();
    if (skipLf_ && pos_ < end_) TakeLfAfterCr();
    const char* const base = buffer_.data();
    const LineEnds ends = CountLineEnds(base + pos_, end_ - pos_, ending_, most);
    if (ends.count == 0) return 0;
    const auto after = static_cast<std::size_t>(ends.after - base);
    if (rule_ == LineRule::Cr) {
        skipLf_ = true;
    } else {
        crBeforeLf_ = after - 1 > pos_ && base[after - 2] == '\r';
        endedAtLf_ = true;
    }
    consumed_ += after - pos_;
    pos_ = scanned_ = after;
    return ends.count;
}

bool RecordReader::EndedWith(std::string_view lineEnd) const {
    if (rule_ == LineRule::Cr) {
        return lineEnd == "\r\n" && skipLf_ && pos_ < end_ && buffer_[pos_] == '\n';
    }
    return endedAtLf_ && crBeforeLf_ == (lineEnd == "\r\n");
}

RecordReader::Run RecordReader::NextRun(std::int64_t maxRecords, std::string_view lineEnd) {
    // Under Cr only CR LF ends can be taken as they are; under Lf a CR before the LF decides.
    if (rule_ == LineRule::Cr && lineEnd != "\r\n") return {};
    const bool wantCr = lineEnd == "\r\n";
    while (true) {
        const char* const start = buffer_.data() + pos_;
        const char* const end = buffer_.data() + end_;
        const char* p = start;
        std::int64_t records = 0;
        const char* hit = nullptr;
        bool unseen = false;  // whether the next record's end is in the buffer is unknown
        while (records < maxRecords) {
            hit = static_cast<const char*>(std::memchr(p, ending_, end - p));
            if (hit == nullptr) {
                unseen = true;
                break;
            }
            if (rule_ == LineRule::Cr) {
                if (hit + 1 == end) unseen = true;
                if (hit + 1 == end || hit[1] != '\n') break;
                p = hit + 2;
            } else {
                if ((hit > p && hit[-1] == '\r') != wantCr) break;
                p = hit + 1;
            }
            ++records;
        }
        // A record whose end is not in the buffer yet is read on before giving up, as far
        // as the reader keeps a record.
        if (records == 0 && unseen && end_ - pos_ < keep_ && Fill()) continue;
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
            endedAtLf_ = false;
            const std::string_view record(buffer_.data() + pos_, end_ - pos_);
            consumed_ += end_ - pos_;
            pos_ = scanned_ = end_;
            return record;
        }
        if (std::memchr(buffer_.data() + scanned_, ending_, end_ - scanned_) != nullptr) {
            return Next();
        }
    }
}

// The first bytes at the front of the buffer, followed by room for a block that the rest
// streams through. Under Lf a CR at the head's end may belong to the line end, so it stays
// for the rest to decide.
std::string_view RecordReader::LongRecordHead() {
    if (pos_ > 0) MoveHeld(0, end_ - pos_);
    if (buffer_.size() < keep_ + 1 + kLine + blockSize_ + kOverread) {
        buffer_.resize(keep_ + 1 + kLine + blockSize_ + kOverread);
    }
    head_ = keep_;
    if (rule_ == LineRule::Lf && buffer_[head_ - 1] == '\r') --head_;
    consumed_ += head_;
    partial_ = true;
    return {buffer_.data(), head_};
}

// The rest is scanned from head_ on, then block by block read to the first whole cache line
// past keep_. Under Lf a CR at the end of what is held is kept back just before there until
// the next byte shows whether it belongs to the line end.
std::uint64_t RecordReader::Rest(const Piece& piece) {
    partial_ = false;
    std::uint64_t length = head_;
    std::size_t from = head_;
    while (true) {
        char* const base = buffer_.data();
        const void* hit = std::memchr(base + from, ending_, end_ - from);
        const std::size_t to =
            hit == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        std::size_t stop = to;
        if (rule_ == LineRule::Lf && to > from && base[to - 1] == '\r' && !sourceDone_) --stop;
        if (hit != nullptr) {
            const std::size_t recordEnd = from + EndRecordAt(from, to);
            if (piece && recordEnd > from) piece(std::string_view(base + from, recordEnd - from));
            length += recordEnd - from;
            consumed_ += to + 1 - from;
            pos_ = scanned_ = to + 1;
            return length;
        }
        if (piece && stop > from) piece(std::string_view(base + from, stop - from));
        length += stop - from;
        consumed_ += stop - from;
        const bool kept = stop < to;
        const std::size_t at = ToLine(keep_ + 1);
        if (kept) base[at - 1] = '\r';
        from = kept ? at - 1 : at;
        end_ = at + ReadBlock(at);
        if (end_ == at && !kept) {
            pos_ = scanned_ = end_;
            endedAtLf_ = false;
            return length;
        }
    }
}

}  // namespace rivex
