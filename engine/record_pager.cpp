#include "engine/record_pager.h"

#include <sys/stat.h>

#include <algorithm>

#include "engine/byte_source.h"
#include "engine/platform_error.h"
#include "engine/record_reader.h"

namespace rivex {
namespace {

// Small reads: the first screen of a file needs its first few kilobytes only.
constexpr std::size_t kPagerBlock = 64 * 1024;

constexpr const char* kNotRegular = "レコードを表示できるのは通常のファイルだけです";

}  // namespace

RecordPager::RecordPager(std::string path, LineRuleChoice choice, std::size_t headBytes)
    : path_(std::move(path)), headBytes_(headBytes), starts_{0} {
    // Opening a pipe would wait for a writer, and its records could not be read again.
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        throw PlatformError(kNotRegular, path_);
    }
    FileSource source(path_);
    size_ = source.Size().value_or(0);
    rule_ = DecideLineRule(choice, choice == LineRuleChoice::Auto ? source.Peek(kAutoBytes) : "");
}

std::vector<RecordPager::Record> RecordPager::Records(std::int64_t first, std::size_t count) {
    first = std::max<std::int64_t>(first, 1);
    const auto known = static_cast<std::int64_t>(starts_.size()) - 1;
    const std::int64_t stride = std::min((first - 1) / kStride, known);
    std::int64_t number = stride * kStride + 1;
    const std::uint64_t base = starts_[static_cast<std::size_t>(stride)];
    FileSource source(path_);
    source.SeekTo(base);
    RecordReader reader(source, rule_, kPagerBlock);
    reader.SetKeep(headBytes_);
    std::vector<Record> records;
    while (records.size() < count) {
        if (reader.AtEnd()) {
            total_ = number - 1;
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
