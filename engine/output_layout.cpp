#include "engine/output_layout.h"

#include <algorithm>
#include <cstring>

#include "engine/record_reader.h"

namespace rivex {
namespace {

constexpr std::size_t kWord = RecordReader::kOverread;
// Fields listed one by one for a record that holds them all, up to this many.
constexpr std::size_t kMostWholeSpans = 1024;

}  // namespace

OutputLayout::OutputLayout(const std::vector<FieldItem>& items) {
    for (const FieldItem& item : items) {
        if (item.Width < 1) continue;  // always empty
        const auto start = static_cast<std::size_t>(item.Left < 1 ? 0 : item.Left - 1);
        const auto width = static_cast<std::size_t>(item.Width);
        Span span{start, width, 0, 1};
        if (item.LastLeft != 0) {
            span.pitch = static_cast<std::size_t>(item.Pitch);
            span.count = static_cast<std::size_t>((item.LastLeft - item.Left) / item.Pitch + 1);
        }
        spans_.push_back(span);
        reach_ = std::max(reach_, start + (span.count - 1) * span.pitch + width);
    }
    std::size_t repeats = 0;
    for (const Span& span : spans_) repeats += span.count;
    if (repeats > kMostWholeSpans) return;
    for (const Span& span : spans_) {
        for (std::size_t k = 0; k < span.count; ++k) {
            whole_.push_back({span.start + k * span.pitch, span.width});
            wholeLength_ += span.width;
        }
    }
}

std::size_t OutputLayout::Starting(const Span& span, std::size_t length) {
    if (span.start >= length) return 0;
    if (span.count == 1) return 1;
    return std::min(span.count, (length - 1 - span.start) / span.pitch + 1);
}

void OutputLayout::Write(std::string_view record, RecordWriter& writer) const {
    const std::size_t length = record.size();
    // The common case, a record that holds every field whole: the spans worked out once.
    if (length >= reach_ && !whole_.empty()) {
        if (char* out = writer.Reserve(wholeLength_, kWord)) {
            for (const auto& [start, width] : whole_) {
                for (std::size_t i = 0; i < width; i += kWord) {
                    std::memcpy(out + i, record.data() + start + i, kWord);
                }
                out += width;
            }
            writer.Commit(wholeLength_);
            return;
        }
    }
    std::size_t most = 0;
    for (const Span& span : spans_) most += Starting(span, length) * span.width;
    char* const begin = writer.Reserve(most, kWord);
    if (begin == nullptr) {
        for (const Span& span : spans_) {
            for (std::size_t k = 0, n = Starting(span, length); k < n; ++k) {
                writer.Append(record.substr(span.start + k * span.pitch, span.width));
            }
        }
        return;
    }
    // A field the record holds whole is copied in words of kWord bytes, the last word
    // reaching past it into bytes that the next field or nothing overwrites.
    char* out = begin;
    for (const Span& span : spans_) {
        for (std::size_t k = 0, n = Starting(span, length); k < n; ++k) {
            const std::size_t column = span.start + k * span.pitch;
            const char* from = record.data() + column;
            if (length - column >= span.width) {
                for (std::size_t i = 0; i < span.width; i += kWord) {
                    std::memcpy(out + i, from + i, kWord);
                }
                out += span.width;
            } else {
                std::memcpy(out, from, length - column);
                out += length - column;
            }
        }
    }
    writer.Commit(static_cast<std::size_t>(out - begin));
}

}  // namespace rivex
