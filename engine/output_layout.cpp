#include "engine/output_layout.h"

#include <algorithm>
#include <cstring>

#include "engine/record_reader.h"
#include "engine/record_selection.h"

namespace rivex {
namespace {

constexpr std::size_t kWord = OutputLayout::kWord;
static_assert(kWord <= RecordReader::kOverread);

// A field the record holds whole is copied in words of kWord bytes, the last word reaching
// past it into bytes that the next field or nothing overwrites.
inline void CopyWords(char* out, const char* from, std::size_t width) {
    for (std::size_t i = 0; i < width; i += kWord) std::memcpy(out + i, from + i, kWord);
}

}  // namespace

std::size_t Repetitions(const FieldItem& item) {
    if (item.LastLeft == 0) return 1;
    return static_cast<std::size_t>((item.LastLeft - item.Left) / item.Pitch + 1);
}

OutputLayout::OutputLayout(const std::vector<FieldItem>& items) {
    for (std::size_t field = 0; field < items.size(); ++field) {
        const FieldItem& item = items[field];
        const auto start = static_cast<std::size_t>(item.Left < 1 ? 0 : item.Left - 1);
        const auto width = static_cast<std::size_t>(std::max<std::int64_t>(item.Width, 0));
        Span span{field, start, width, static_cast<std::size_t>(item.Pitch), Repetitions(item)};
        spans_.push_back(span);
        if (width == 0) continue;  // an empty column: nothing of the record is reached
        reach_ = std::max(reach_, start + (span.count - 1) * span.pitch + width);
        lineLength_ += span.count * width;
    }
    for (const Span& span : spans_) {
        if (span.width == 0) continue;
        if (span.width > kWord || words_.size() + span.count > kMostWords) {
            words_.clear();
            break;
        }
        for (std::size_t k = 0; k < span.count; ++k) {
            words_.push_back({span.start + k * span.pitch, span.width});
        }
    }
}

// Bytes written for `span` from a record of `length` bytes, at most: without a division where
// the repetitions do not overlap, as the bytes then come from the record only once.
std::size_t OutputLayout::MostBytes(const Span& span, std::size_t length) {
    if (span.start >= length) return 0;
    if (span.count == 1) return span.width;
    const std::size_t all = span.count * span.width;
    if (span.pitch >= span.width) return std::min(all, length - span.start + span.width);
    return std::min(span.count, (length - 1 - span.start) / span.pitch + 1) * span.width;
}

void OutputLayout::WriteAny(std::string_view record, RecordWriter& writer) const {
    const std::size_t length = record.size();
    // A record that holds every repetition of every field whole.
    if (length >= reach_) {
        if (char* out = writer.Reserve(lineLength_, kWord)) {
            for (const Span& span : spans_) {
                if (span.width == 0) continue;
                const char* from = record.data() + span.start;
                for (std::size_t k = 0; k < span.count; ++k, from += span.pitch) {
                    CopyWords(out, from, span.width);
                    out += span.width;
                }
            }
            writer.Commit(lineLength_);
            return;
        }
    }
    // A repetition that starts past the record's end is empty, and so is every one after it.
    std::size_t most = 0;
    for (const Span& span : spans_) most += MostBytes(span, length);
    char* const begin = writer.Reserve(most, kWord);
    if (begin == nullptr) {
        ForEachPiece(length, [&](std::uint64_t at, std::uint64_t bytes) {
            writer.Append(record.substr(at, bytes));
        });
        return;
    }
    char* out = begin;
    for (const Span& span : spans_) {
        std::size_t column = span.start;
        for (std::size_t k = 0; k < span.count && column < length; ++k, column += span.pitch) {
            const char* from = record.data() + column;
            if (length - column >= span.width) {
                CopyWords(out, from, span.width);
                out += span.width;
            } else {
                std::memcpy(out, from, length - column);
                out += length - column;
            }
        }
    }
    writer.Commit(static_cast<std::size_t>(out - begin));
}

void FieldLayout::Start(std::int64_t length) {
    ResolveStar(items_, length);
    layout_.emplace(items_);
}

}  // namespace rivex
