// Reads records by a line rule (conditions.h): under Cr a record ends at CR and an LF right
// after it belongs to the line end; under Lf a record ends at LF and a CR right before it
// belongs to the line end. Under both, a byte 0x1A ends the file and a last line without a
// line end is a record. Memory stays bounded whatever the record length: a record longer
// than what the reader keeps is handed out as its first bytes, and the rest streams past.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/byte_source.h"
#include "engine/conditions.h"
#include "engine/line_ends.h"

namespace rivex {

class RecordReader {
  public:
    static constexpr std::size_t kDefaultBlockSize = 256 * 1024;
    // The bytes just after a record handed out can be read, though they are no part of it,
    // so that fields are copied in whole machine words.
    static constexpr std::size_t kOverread = 16;
    static constexpr std::size_t kKeepAll = std::numeric_limits<std::size_t>::max() / 2;

    // `blockSize` is the size of each read. Every record is held whole until SetKeep.
    // `buffer` is taken as the reader's own, as it is: a buffer from ReleaseBuffer saves
    // clearing a new one.
    explicit RecordReader(ByteSource& source, LineRule rule = LineRule::Cr,
                          std::size_t blockSize = kDefaultBlockSize, std::vector<char> buffer = {});

    // Has the source read ahead on a helper thread where it can: blocks are then taken over
    // as they were read, the bytes of a record begun in the last one moved in before them.
    void ReadSourceAhead();

    // The buffer, for the next reader; this one reads no more.
    std::vector<char> ReleaseBuffer() { return std::move(buffer_); }

    // The bytes of one record held at most (never fewer than a block): a longer record is
    // handed out as its first bytes. kKeepAll holds every record whole.
    void SetKeep(std::size_t keep);

    // The end-of-file test: true when the next byte is 0x1A or there is none. Skips what is
    // left of a record handed out in part.
    bool AtEnd() {
        if (partial_) SkipRest();
        if (skipLf_ && pos_ < end_) TakeLfAfterCr();
        return pos_ == end_ && AtEndSlow();
    }

    // Passes over at most `most` records whose line end is among the bytes held, without
    // handing them out; returns how many. Reads nothing. Where AtEnd could be called.
    std::int64_t SkipHeld(std::int64_t most);

    // The next record without its line end, valid until the next call of AtEnd or Next: all
    // of it, or its first bytes when it is longer than the reader keeps (Partial() then
    // tells, and Rest reads on). Only to be called when AtEnd() is false.
    std::string_view Next() {
        const char* const base = buffer_.data();
        const void* hit = std::memchr(base + scanned_, ending_, end_ - scanned_);
        if (hit == nullptr) return NextSlow();
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        consumed_ += at + 1 - pos_;
        const std::size_t start = pos_;
        pos_ = scanned_ = at + 1;
        return {base + start, EndRecordAt(start, at)};
    }

    // Hands each record ahead whose line end is among the bytes held to `each`, as Next
    // would, until `each` returns false; returns how many. Reads nothing, so the loop over a
    // block's records makes no call per record of its own, and keeps its place in registers:
    // BytesConsumed and EndedWith tell of the last record handed only once it returns, and a
    // reader that `each` threw from is not to be used again. Where AtEnd could be called.
    template <typename Each>
    std::int64_t EachHeld(Each&& each) {
        if (partial_) SkipRest();
        const char* const base = buffer_.data();
        const bool cr = rule_ == LineRule::Cr;
        const char ending = ending_;
        std::size_t pos = pos_;
        bool skipLf = skipLf_;  // Cr: an LF at pos belongs to the record before it
        bool crBeforeLf = false;
        std::int64_t handed = 0;
        bool going = true;
        for (std::size_t line = LineOf(pos); going && line + kHitBlock <= end_; line += kHitBlock) {
            std::uint64_t hits = HitsAt(line, ending);
            if (line < pos) hits &= ~std::uint64_t{0} << (pos - line);
            for (; going && hits != 0; hits &= hits - 1) {
                const std::size_t at = line + static_cast<std::size_t>(std::countr_zero(hits));
                if (skipLf) pos += base[pos] == '\n' ? 1 : 0;  // held: pos <= at
                const std::size_t start = pos;
                pos = at + 1;
                skipLf = cr;
                crBeforeLf = !cr && at > start && base[at - 1] == '\r';
                ++handed;
                going = each(std::string_view(base + start, at - start - (crBeforeLf ? 1 : 0)));
            }
        }
        consumed_ += pos - pos_;
        pos_ = scanned_ = pos;
        skipLf_ = skipLf;
        if (!cr && handed > 0) {
            endedAtLf_ = true;
            crBeforeLf_ = crBeforeLf;
        }
        return handed;
    }

    // The record Next handed out last is longer than the reader keeps, and Rest not called.
    bool Partial() const { return partial_; }

    // The rest of a record that Next handed out in part, in order, each piece to `piece`
    // (none when it is empty: the rest is skipped). Returns the whole record's length. The
    // bytes Next handed out stay valid.
    using Piece = std::function<void(std::string_view)>;
    std::uint64_t Rest(const Piece& piece);

    // The records ahead that each end in `lineEnd` ("\r\n" or "\n") as the rule reads them,
    // at most `maxRecords` of them, taken as one run of bytes with their line ends, valid
    // until the next call of AtEnd, Next or NextRun. Empty when the next record does not end
    // so within what the reader keeps: Next() takes it. Only when AtEnd() is false.
    struct Run {
        std::string_view bytes;
        std::int64_t records;
    };
    Run NextRun(std::int64_t maxRecords, std::string_view lineEnd);

    // Whether the record Next (or Rest) finished last ended in exactly `lineEnd` in the
    // source, as far as the bytes held show it. Only before the next call of AtEnd.
    bool EndedWith(std::string_view lineEnd) const;

    // Bytes of the source taken so far, line ends included.
    std::uint64_t BytesConsumed() const { return consumed_; }

  private:
    // The length of the record from `start` whose line end byte stands at `at`; notes how it
    // ended.
    std::size_t EndRecordAt(std::size_t start, std::size_t at) {
        if (rule_ == LineRule::Cr) {
            skipLf_ = true;
            return at - start;
        }
        crBeforeLf_ = at > start && buffer_[at - 1] == '\r';
        endedAtLf_ = true;
        return at - start - (crBeforeLf_ ? 1 : 0);
    }
    // Cr: the byte after the CR that ended the last record is held; an LF there belongs to
    // that record.
    void TakeLfAfterCr() {
        skipLf_ = false;
        if (buffer_[pos_] != '\n') return;
        ++pos_;
        ++consumed_;
        scanned_ = pos_;
    }
    // Reads land on a multiple of kLine bytes in memory; ToLine gives the first offset into
    // the buffer from `offset` on that is one.
    static constexpr std::size_t kLine = 64;
    std::size_t ToLine(std::size_t offset) const;
    // Reads one more block after the unconsumed bytes; false when the source has no more.
    bool Fill();
    // The line end bytes among the kHitBlock bytes from `line`, as bits: from the block's bits
    // where they were found on the reading thread.
    std::uint64_t HitsAt(std::size_t line, char ending) const {
        const std::size_t from = line - hitsAt_;
        if (line >= hitsAt_ && from % kHitBlock == 0 && from / kHitBlock < hits_.size()) {
            return hits_[from / kHitBlock];
        }
        return ByteHits(buffer_.data() + line, ending);
    }
    // The offset of the kLine bytes of memory that `offset` lies in, or `offset` itself where
    // they begin before the buffer.
    std::size_t LineOf(std::size_t offset) const {
        const auto into = reinterpret_cast<std::uintptr_t>(buffer_.data() + offset) % kLine;
        return into <= offset ? offset - into : offset;
    }
    // Reads one block to `at`, cut at a 0x1A; the number of bytes kept.
    std::size_t ReadBlock(std::size_t at);
    // The `size` bytes read to `at`, cut at a 0x1A (the first at `mark`, when known): the
    // number of bytes kept.
    std::size_t CutAtMark(std::size_t at, std::size_t size, std::optional<std::size_t> mark = {});
    // Moves the `held` bytes from pos_ to `front`; the line end bits found ahead no longer
    // fit the buffer.
    void MoveHeld(std::size_t front, std::size_t held);
    // The most bytes of a record begun that move into a block read ahead.
    static constexpr std::size_t kHeadroom = 64 * 1024;
    // The block becomes the buffer, the `held` bytes before it; false at the end.
    bool TakeOver(AheadBlock block, std::size_t held);
    bool AtEndSlow();
    std::string_view NextSlow();
    std::string_view LongRecordHead();
    void SkipRest() { Rest(nullptr); }

    ByteSource& source_;
    const LineRule rule_;
    const char ending_;  // the byte a record ends at
    std::size_t blockSize_;
    std::size_t keep_;
    std::vector<char> buffer_;
    // Invariant: pos_ <= scanned_ <= end_ <= buffer_.size() - kOverread. [pos_, end_) is
    // unconsumed; [pos_, scanned_) is known to hold no line end byte. While a record is
    // handed out in part, its first head_ bytes stand at [0, head_), [head_, end_) is read
    // but not handed out, and blocks of the rest are read to ToLine(keep_ + 1).
    std::size_t pos_ = 0;
    std::size_t scanned_ = 0;
    std::size_t end_ = 0;
    std::size_t head_ = 0;
    bool sourceDone_ = false;  // no more bytes: the source ended, or a 0x1A was met
    bool skipLf_ = false;      // Cr: the last record ended at a CR; an LF next belongs to it
    bool endedAtLf_ = false;   // Lf: the last record ended at an LF, not at the end
    bool crBeforeLf_ = false;  // Lf: and a CR stood right before that LF
    bool partial_ = false;     // a record was handed out in part, and its rest is unread
    std::uint64_t consumed_ = 0;
    // The line end bits of the block read ahead that the buffer holds from hitsAt_ on; none
    // once the buffer's bytes are moved or read otherwise.
    std::vector<std::uint64_t> hits_;
    std::size_t hitsAt_ = 0;
};

// The rule a source is read by: the chosen one, or for Auto, Lf when `firstBytes` (the first
// kAutoBytes of the file, or all of it) hold more LFs that follow no CR than LFs that follow
// one, else Cr.
inline constexpr std::size_t kAutoBytes = 65536;
LineRule DecideLineRule(LineRuleChoice choice, std::string_view firstBytes);

}  // namespace rivex
