#include "engine/record_pager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "engine/byte_source.h"
#include "engine/platform_error.h"
#include "engine/read_fully.h"
#include "engine/record_reader.h"

namespace rivex {
namespace {

// Small reads: the first screen of a file needs its first few kilobytes only.
constexpr std::size_t kPagerBlock = 64 * 1024;

}  // namespace

ViewedFile::ViewedFile(const std::string& path, const std::atomic<bool>* stop)
    : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)), path_(path), stop_(stop) {
    if (fd_ < 0) throw FileError(errno, path);
    struct stat st {};
    const int err = ::fstat(fd_, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (err != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        if (err != 0) throw FileError(err, path);
        // A pipe's records could not be read again, a device's may never end.
        throw PlatformError({Phrase::ViewRegularOnly}, path);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
}

ViewedFile::~ViewedFile() {
    ::close(fd_);
}

std::string ViewedFile::Head(std::size_t size) const {
    std::string head(size, '\0');
    const ssize_t got = ReadFully(fd_, head.data(), size, 0);
    if (got < 0) throw FileError(errno, path_);
    head.resize(static_cast<std::size_t>(got));
    return head;
}

void ViewedFile::SeekTo(std::uint64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) throw FileError(errno, path_);
}

std::size_t ViewedFile::Read(char* buffer, std::size_t size) {
    if (stop_ && stop_->load(std::memory_order_relaxed)) throw Stopped{};
    while (true) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw FileError(errno, path_);
    }
}

RecordPager::RecordPager(std::string path, LineRuleChoice choice, std::size_t headBytes)
    : path_(std::move(path)), choice_(choice), headBytes_(headBytes), starts_{0} {}

void RecordPager::Open(const ViewedFile& file) {
    size_ = *file.Size();
    head_ = file.Head(kAutoBytes);
    rule_ = DecideLineRule(choice_, choice_ == LineRuleChoice::Auto ? head_ : "");
    opened_ = true;
}

std::vector<RecordPager::Record> RecordPager::Records(std::int64_t first, std::size_t count,
                                                      const std::atomic<bool>* stop) {
    first = std::max<std::int64_t>(first, 1);
    const auto known = static_cast<std::int64_t>(starts_.size()) - 1;
    const std::int64_t stride = std::min((first - 1) / kStride, known);
    std::int64_t number = stride * kStride + 1;
    const std::uint64_t base = starts_[static_cast<std::size_t>(stride)];
    ViewedFile source(path_, stop);
    if (!opened_) Open(source);
    source.SeekTo(base);
    RecordReader reader(source, rule_, kPagerBlock);
    reader.SetKeep(headBytes_);
    std::vector<Record> records;
    while (records.size() < count) {
        if (reader.AtEnd()) {
            total_ = number - 1;
            const std::uint64_t end = base + reader.BytesConsumed();
            if (end < size_) endMark_ = end;
            break;
        }
        const std::uint64_t start = base + reader.BytesConsumed();
        if ((number - 1) % kStride == 0 && (number - 1) / kStride == std::ssize(starts_)) {
            starts_.push_back(start);
        }
        const std::string_view bytes = reader.Next();
        if (number >= first) {
            Record& record = records.emplace_back(
                Record{number, std::string(bytes.substr(0, headBytes_)), bytes.size()});
            if (reader.Partial()) record.length = reader.Rest(nullptr);
        }
        ++number;
    }
    if (number - 1 > seenRecords_) {
        seenRecords_ = number - 1;
        seenBytes_ = base + reader.BytesConsumed();
    }
    return records;
}

std::int64_t RecordPager::RecordCount() const {
    if (total_) return *total_;
    if (seenRecords_ == 0 || seenBytes_ == 0) return std::max<std::int64_t>(seenRecords_, 1);
    const double perRecord = static_cast<double>(seenBytes_) / static_cast<double>(seenRecords_);
    return std::max(seenRecords_,
                    static_cast<std::int64_t>(static_cast<double>(size_) / perRecord));
}

}  // namespace rivex
