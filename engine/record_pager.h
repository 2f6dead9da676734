// Records of a file by their numbers, for looking at them: only what is asked for is read,
// and where every kStride-th record starts is remembered on the way, so that memory stays
// small for any file and a part seen once is found again at once.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "engine/conditions.h"

namespace rivex {

// Reading for a window that no longer wants the result ends at the next block read.
struct Stopped {};

// A regular file opened for the viewer. The open never waits (a FIFO put where the file was
// would hold the window until a writer came), and anything but a regular file is refused
// before a byte is read. Once `stop` is set, Read throws Stopped. Throws PlatformError.
class ViewedFile : public ByteSource {
  public:
    explicit ViewedFile(const std::string& path, const std::atomic<bool>* stop = nullptr);
    ~ViewedFile() override;
    ViewedFile(const ViewedFile&) = delete;
    ViewedFile& operator=(const ViewedFile&) = delete;

    // The first `size` bytes (fewer when the file is shorter); reading starts at 0 all the same.
    std::string Head(std::size_t size) const;
    void SeekTo(std::uint64_t offset);
    std::size_t Read(char* buffer, std::size_t size) override;
    std::optional<std::uint64_t> Size() const override { return size_; }

  private:
    int fd_;
    std::string path_;
    const std::atomic<bool>* stop_;
    std::uint64_t size_ = 0;
};

class RecordPager {
  public:
    static constexpr std::int64_t kStride = 1024;

    // Nothing is read yet: the first call of Records opens `path` and learns its size, its
    // first bytes and, for Auto, its line rule. A record is handed out as its first
    // `headBytes` bytes at most.
    RecordPager(std::string path, LineRuleChoice choice, std::size_t headBytes);

    // Once Records has opened the file:
    bool Opened() const { return opened_; }
    LineRule Rule() const { return rule_; }
    // The file's first kAutoBytes (all of it when shorter).
    std::string_view Head() const { return head_; }
    // Where a 0x1A ends the records before the end of the file (a byte offset from 0), once
    // the records have been read up to it.
    std::optional<std::uint64_t> EndMark() const { return endMark_; }

    struct Record {
        std::int64_t number;   // from 1
        std::string head;      // the record's first bytes, without its line end
        std::uint64_t length;  // of the whole record
    };
    // The records from number `first` on, at most `count`; fewer at the end of the file.
    // Throws PlatformError, also for a path that is no regular file, and Stopped once `stop`
    // is set. Not to be called from two threads
    // at once: what is learnt on the way is kept.
    std::vector<Record> Records(std::int64_t first, std::size_t count,
                                const std::atomic<bool>* stop = nullptr);

    // The number of records: exact once the end has been read, until then a guess from the
    // bytes per record read so far (at least the records seen).
    std::int64_t RecordCount() const;
    bool CountKnown() const { return total_.has_value(); }

  private:
    void Open(const ViewedFile& file);

    const std::string path_;
    const LineRuleChoice choice_;
    const std::size_t headBytes_;
    bool opened_ = false;
    LineRule rule_ = LineRule::Cr;
    std::uint64_t size_ = 0;
    std::vector<std::uint64_t> starts_;  // byte offset of record k * kStride + 1
    std::int64_t seenRecords_ = 0;       // records read from the start on, at least
    std::uint64_t seenBytes_ = 0;        // and the bytes they take
    std::optional<std::int64_t> total_;
    std::string head_;
    std::optional<std::uint64_t> endMark_;
};

}  // namespace rivex
