// Reads records by a line rule (conditions.h): under Cr a record ends at CR and an LF right
// after it belongs to the line end; under Lf a record ends at LF and a CR right before it
// belongs to the line end. Under both, a byte 0x1A ends the file and a last line without a
// line end is a record. Memory stays bounded whatever the record length: a record longer
// than what the reader keeps is handed out as its first bytes, and the rest streams past.
// A source that can show its bytes in place (a mapped file) is read in windows without
// copying; records longer than a window are copied through the reader's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string_view>
#include <vector>

#include "engine/byte_scan.h"
#include "engine/byte_source.h"
#include "engine/conditions.h"

namespace rivex {

class RecordReader {
  public:
    static constexpr std::size_t kDefaultBlockSize = 256 * 1024;
    // The bytes just after a record handed out can be read, though they are no part of it,
    // so that fields are copied in whole machine words.
    static constexpr std::size_t kOverread = kScanSlack;
    static constexpr std::size_t kKeepAll = std::numeric_limits<std::size_t>::max() / 2;
    // Bytes seen in place at a time: a record longer than this is copied. 0, reading, unless
    // asked for: on the 2-core test machine seeing a page-cached file in place took 1.5-2x
    // the time of reading it (the scan waits for memory; a read leaves the bytes in cache).
    static constexpr std::size_t kDefaultWindow = 0;

    // `blockSize` is the size of each read or copy, `window` that of each look at a source
    // that can show its bytes in place (0: read them all the same). Every record is held
    // whole until SetKeep.
    explicit RecordReader(ByteSource& source, LineRule rule = LineRule::Cr,
                          std::size_t blockSize = kDefaultBlockSize,
                          std::size_t window = kDefaultWindow);

    // The bytes of one record held at most (never fewer than a block): a longer record is
    // handed out as its first bytes. kKeepAll holds every record whole.
    void SetKeep(std::size_t keep);

    // The end-of-file test: true when the next byte is 0x1A or there is none. Skips what is
    // left of a record handed out in part.
    bool AtEnd() {
        if (partial_) SkipRest();
        if (pos_ < end_ && !skipLf_ && base_[pos_] != kEndMark) return false;
        return AtEndSlow();
    }

    // The next record without its line end, valid until the next call of AtEnd or Next: all
    // of it, or its first bytes when it is longer than the reader keeps (Partial() then
    // tells, and Rest reads on). Only to be called when AtEnd() is false.
    std::string_view Next() {
        const std::size_t at = Scan(scanned_);
        if (at == end_) return NextSlow();
        const std::size_t start = pos_;
        const std::size_t length = EndRecordAt(start, at);
        pos_ = scanned_ = LineEndAfter(at);
        consumed_ += pos_ - start;
        return {base_ + start, length};
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
    static constexpr char kEndMark = 0x1A;

    // The first line end byte in [from, end_), or end_ when there is none. A 0x1A met first
    // ends the data there.
    std::size_t Scan(std::size_t from) {
        const char* const hit = FindEither(base_ + from, base_ + end_, ending_, kEndMark);
        const auto at = static_cast<std::size_t>(hit - base_);
        if (at < end_ && *hit == kEndMark) {
            end_ = at;
            sourceDone_ = true;
        }
        return at;
    }
    // The length of the record from `start` whose line end byte stands at `at`; notes how it
    // ended. Under Cr an LF right after the CR is taken along when it is held already.
    std::size_t EndRecordAt(std::size_t start, std::size_t at) {
        if (rule_ == LineRule::Cr) {
            crLf_ = at + 1 < end_ && base_[at + 1] == '\n';
            skipLf_ = at + 1 == end_;
            return at - start;
        }
        crBeforeLf_ = at > start && base_[at - 1] == '\r';
        endedAtLf_ = true;
        return at - start - (crBeforeLf_ ? 1 : 0);
    }
    // Where the next record begins after the line end byte at `at`.
    std::size_t LineEndAfter(std::size_t at) const { return at + (crLf_ ? 2 : 1); }
    // Makes more bytes held after the unconsumed ones; false when the source has no more.
    bool Fill();
    bool FillView();
    void ToCopies();
    // Reads or copies one block to `at`; the number of bytes.
    std::size_t ReadBlock(std::size_t at);
    bool AtEndSlow();
    std::string_view NextSlow();
    std::string_view LongRecordHead();
    void SkipRest() { Rest(nullptr); }

    ByteSource& source_;
    const LineRule rule_;
    const char ending_;  // the byte a record ends at
    std::size_t blockSize_;
    const std::size_t window_;  // 0 when the source is read
    std::size_t keep_;
    std::vector<char> buffer_;
    // The held bytes: a window the source shows (viewing_), or buffer_. Invariant: pos_ <=
    // scanned_ <= end_, and kOverread readable bytes follow end_. [pos_, end_) is
    // unconsumed; [pos_, scanned_) is known to hold neither a line end byte nor a 0x1A.
    // While a record is handed out in part, the bytes are buffer_'s: its first head_ bytes
    // stand at [0, head_), [head_, end_) is read but not handed out, and blocks of the rest
    // are read to keep_ + 1.
    const char* base_ = nullptr;
    bool viewing_ = false;
    std::uint64_t viewAt_ = 0;  // viewing_: the byte of the source at base_[0]
    std::uint64_t copyAt_ = 0;  // a source seen in place, copied: the next byte to copy
    std::size_t pos_ = 0;
    std::size_t scanned_ = 0;
    std::size_t end_ = 0;
    std::size_t head_ = 0;
    bool sourceDone_ = false;  // no more bytes: the source ended, or a 0x1A was met
    bool skipLf_ = false;      // Cr: the last record ended at a CR; an LF next belongs to it
    bool crLf_ = false;        // Cr: and the LF right after it was held, and taken along
    bool endedAtLf_ = false;   // Lf: the last record ended at an LF, not at the end
    bool crBeforeLf_ = false;  // Lf: and a CR stood right before that LF
    bool partial_ = false;     // a record was handed out in part, and its rest is unread
    std::uint64_t consumed_ = 0;
};

// The rule a source is read by: the chosen one, or for Auto, Lf when `firstBytes` (the first
// kAutoBytes of the file, or all of it) hold more LFs that follow no CR than LFs that follow
// one, else Cr.
inline constexpr std::size_t kAutoBytes = 65536;
LineRule DecideLineRule(LineRuleChoice choice, std::string_view firstBytes);

}  // namespace rivex
