#include "engine/output_layout.h"

#include <algorithm>
#include <cstring>

#include "engine/field_cut.h"
#include "engine/record_reader.h"

namespace rivex {
namespace {

constexpr std::size_t kWord = RecordReader::kOverread;

}  // namespace

OutputLayout::OutputLayout(const std::vector<FieldItem>& items) {
    const auto add = [&](std::int64_t column, std::int64_t width) {
        if (width < 1) return;  // always empty
        const auto start = static_cast<std::size_t>(column < 1 ? 0 : column - 1);
        spans_.push_back({start, static_cast<std::size_t>(width)});
        reach_ = std::max(reach_, start + static_cast<std::size_t>(width));
        lineLength_ += static_cast<std::size_t>(width);
    };
    for (const FieldItem& item : items) {
        if (item.LastLeft == 0) {
            add(item.Left, item.Width);
            continue;
        }
        for (std::int64_t column = item.Left; column <= item.LastLeft; column += item.Pitch) {
            add(column, item.Width);
        }
    }
}

void OutputLayout::Write(std::string_view record, RecordWriter& writer) const {
    // A record that holds every span whole: each is copied in words of kWord bytes, the
    // last word reaching past the span into bytes that the next span or nothing overwrites.
    if (record.size() >= reach_) {
        if (char* out = writer.Reserve(lineLength_, kWord)) {
            for (const Span& span : spans_) {
                const char* from = record.data() + span.start;
                for (std::size_t k = 0; k < span.width; k += kWord) {
                    std::memcpy(out + k, from + k, kWord);
                }
                out += span.width;
            }
            return;
        }
    }
    for (const Span& span : spans_) {
        writer.Append(CutField(record, static_cast<std::int64_t>(span.start) + 1,
                               static_cast<std::int64_t>(span.width)));
    }
}

}  // namespace rivex
