#include "engine/column_writer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace rivex {
namespace {

using ByteSet = std::array<bool, 256>;

constexpr ByteSet SetOf(std::string_view bytes) {
    ByteSet set{};
    for (const char b : bytes) set[static_cast<unsigned char>(b)] = true;
    return set;
}
constexpr ByteSet kCsvSpecials = SetOf(",\"\r\n");  // a value holding one is quoted
constexpr ByteSet kTsvSpecials = SetOf("\t\r\n");   // a TSV value holds a blank instead

// The first byte of `bytes` in `set`, or its size.
std::size_t FindAny(std::string_view bytes, const ByteSet& set) {
    std::size_t i = 0;
    while (i < bytes.size() && !set[static_cast<unsigned char>(bytes[i])]) ++i;
    return i;
}

bool IsAscii(std::string_view bytes) {
    return std::ranges::none_of(bytes, [](char b) { return (b & 0x80) != 0; });
}

std::string Columns(std::int64_t left, std::int64_t right) {
    const auto column = [](std::int64_t c) {
        return c == -1 ? std::string("*") : std::to_string(c);
    };
    return column(left) + "-" + column(right);
}

}  // namespace

std::string ColumnName(const FieldItem& item, std::size_t repeat) {
    if (!item.Name.empty()) {
        return Repetitions(item) == 1 ? item.Name : item.Name + "_" + std::to_string(repeat + 1);
    }
    const auto left = item.Left + static_cast<std::int64_t>(repeat) * item.Pitch;
    return Columns(left, item.Right == -1 ? -1 : left + item.Right - item.Left);
}

std::vector<std::string> ColumnNames(const Conditions& c) {
    if (c.FieldMode == FieldModes::WholeRecord) return {Columns(1, -1)};
    std::vector<std::string> names;
    for (const FieldItem& item : c.FieldItems) {
        for (std::size_t k = 0; k < Repetitions(item); ++k) names.push_back(ColumnName(item, k));
    }
    return names;
}

// Where a value's blanks at both ends stop: [first, end) of its bytes.
struct ColumnWriter::Bounds {
    std::uint64_t first = 0;
    std::uint64_t end = 0;
    bool quoted = false;  // the value holds a delimiter, a quote or a line end
};

ColumnWriter::ColumnWriter(const Conditions& c)
    : form_(c.Output),
      data_(c.DataCodePage),
      written_(OutputCodePage(c.Output.Encoding, c.DataCodePage)),
      delimited_(c.Output.Format != OutputFormat::Fixed) {
    // An encoding chosen for the output is one the output holds to, even when it is the
    // data's own: the bytes then pass through the converter too, to find those it would not take.
    if (form_.Encoding != OutputEncoding::AsData) {
        values_ = std::make_unique<Converter>(InfoOf(written_).iconvName, InfoOf(data_).iconvName);
    }
    if (written_ != CodePage::Utf8) {
        names_ = std::make_unique<Converter>(InfoOf(written_).iconvName, "UTF-8");
    }
}

ColumnWriter::~ColumnWriter() = default;

bool ColumnWriter::WritesHeader() const {
    return delimited_ && form_.Header;
}

void ColumnWriter::Header(const std::vector<std::string>& names, RecordWriter& out) {
    first_ = true;
    for (const std::string& name : names) {
        std::string text;
        if (names_) {
            unconverted_ += static_cast<std::int64_t>(
                names_->ConvertInto(name, CodePage::Utf8, StandIn(written_), false, text)
                    .substituted);
        } else {
            text = name;
        }
        const bool quoted = NeedsQuotes(text);
        Open(quoted, out);
        Emit(text, quoted, out);
        Close(quoted, out);
    }
}

void ColumnWriter::Record(std::string_view record, const OutputLayout* layout, RecordWriter& out) {
    first_ = true;
    if (layout == nullptr) {
        Value(record, 0, record.size(), out);
        return;
    }
    layout->ForEachColumn(record.size(), [&](std::uint64_t at, std::uint64_t bytes) {
        Value(record, at, bytes, out);
    });
}

void ColumnWriter::Value(std::string_view record, std::uint64_t at, std::uint64_t bytes,
                         RecordWriter& out) {
    const std::string_view value = bytes == 0 ? std::string_view() : record.substr(at, bytes);
    const bool inside =
        bytes > 0 && (values_ || form_.Trim) && StartsInsideCharacter(record, at, data_);
    Bounds bounds{0, bytes, false};
    if (form_.Trim && delimited_) bounds = Trimmed(record, at, bytes, inside);
    bounds.quoted = NeedsQuotes(value.substr(bounds.first, bounds.end - bounds.first));
    Write([value](const auto& take) { take(value); }, bounds, inside, out);
}

// The blanks at the ends of a value held whole: those at its start, and at its end as long as
// a full-width blank there is a character of its own rather than the end of another.
ColumnWriter::Bounds ColumnWriter::Trimmed(std::string_view record, std::uint64_t at,
                                           std::uint64_t bytes, bool insideCharacter) const {
    const std::string_view wide = FullWidthBlank(data_);
    // Most values neither begin nor end with a blank: their end bytes tell without a compare.
    const auto wideAt = [&](std::size_t i, std::size_t end) {
        return record[i] == wide.front() && end - i >= wide.size() &&
               record.compare(i, wide.size(), wide) == 0;
    };
    std::size_t first = at;
    std::size_t end = at + bytes;
    while (!insideCharacter && first < end) {
        if (record[first] == ' ') {
            ++first;
        } else if (wideAt(first, end)) {
            first += wide.size();
        } else {
            break;
        }
    }
    while (end > first) {
        if (record[end - 1] == ' ') {
            --end;
        } else if (record[end - 1] == wide.back() && end - first >= wide.size() &&
                   wideAt(end - wide.size(), end) &&
                   !StartsInsideCharacter(record, end - wide.size(), data_)) {
            end -= wide.size();
        } else {
            break;
        }
    }
    return {first - at, end - at, false};
}

void ColumnWriter::LongValue(const Pieces& pieces, std::uint64_t bytes, bool insideCharacter,
                             RecordWriter& out) {
    const bool scanned = (form_.Trim && delimited_) || form_.Format == OutputFormat::Csv;
    Write(pieces, scanned ? Scan(pieces, insideCharacter) : Bounds{0, bytes, false},
          insideCharacter, out);
}

template <typename Each>
void ColumnWriter::Write(const Each& pieces, const Bounds& bounds, bool insideCharacter,
                         RecordWriter& out) {
    Open(bounds.quoted, out);
    std::uint64_t at = 0;
    bool pendingTrail = insideCharacter && values_ && data_ == CodePage::Cp932;
    carry_.clear();
    pieces([&](std::string_view piece) {
        const std::uint64_t from = std::max(at, bounds.first);
        const std::uint64_t to = std::min(at + piece.size(), bounds.end);
        if (from < to) {
            std::string_view part = piece.substr(from - at, to - from);
            // A trail byte that begins a value would read as a character of its own.
            if (pendingTrail && from == 0) {
                ++unconverted_;
                Emit(StandIn(written_), bounds.quoted, out);
                part.remove_prefix(1);
            }
            pendingTrail = false;
            Emit(Converted(part, to < bounds.end), bounds.quoted, out);
        }
        at += piece.size();
    });
    Close(bounds.quoted, out);
}

bool ColumnWriter::NeedsQuotes(std::string_view bytes) const {
    return form_.Format == OutputFormat::Csv && FindAny(bytes, kCsvSpecials) < bytes.size();
}

// The same ends as Trimmed finds, for a value given in pieces: its characters walked from the
// start, a character cut by the end of a piece walked with the piece after it.
template <typename Each>
ColumnWriter::Bounds ColumnWriter::Scan(const Each& pieces, bool insideCharacter) const {
    Bounds bounds;
    const bool trim = form_.Trim && delimited_;
    const std::string_view wide = FullWidthBlank(data_);
    std::optional<std::uint64_t> first;
    std::uint64_t at = 0;         // of the first byte not walked yet
    bool lone = insideCharacter;  // the first byte is a character of its own
    std::string carry;            // bytes of a character cut by the end of the last piece
    const auto walk = [&](std::string_view bytes, bool last) {
        std::size_t i = 0;
        while (i < bytes.size()) {
            std::size_t length = 1;
            if (!std::exchange(lone, false)) {
                length = WellFormedLength(bytes, i, data_);
                const auto lead = static_cast<unsigned char>(bytes[i]);
                if (!last && i + length == bytes.size() && length < SequenceLength(lead, data_)) {
                    break;  // the rest of it may come with the next piece
                }
            }
            const std::string_view c = bytes.substr(i, length);
            if (c != " " && c != wide) {
                if (!first) first = at + i;
                bounds.end = at + i + length;
            }
            i += length;
        }
        at += i;
        carry.assign(bytes.substr(i));
    };
    std::uint64_t total = 0;
    pieces([&](std::string_view piece) {
        if (NeedsQuotes(piece)) bounds.quoted = true;
        total += piece.size();
        if (!trim) return;
        if (carry.empty()) {
            walk(piece, false);
        } else {
            walk(carry + std::string(piece), false);
        }
    });
    if (!trim) {
        bounds.end = total;
        return bounds;
    }
    if (!carry.empty()) walk(std::string(carry), true);
    bounds.first = first.value_or(bounds.end);
    return bounds;
}

std::string_view ColumnWriter::Converted(std::string_view bytes, bool more) {
    if (!values_ || (carry_.empty() && IsAscii(bytes))) return bytes;
    converted_.clear();
    std::string joined;
    if (!carry_.empty()) {
        joined = std::exchange(carry_, {}) + std::string(bytes);
        bytes = joined;
    }
    const Converter::Lossy lossy =
        values_->ConvertInto(bytes, data_, StandIn(written_), more, converted_);
    unconverted_ += static_cast<std::int64_t>(lossy.substituted);
    carry_.assign(bytes.substr(bytes.size() - lossy.left));
    return converted_;
}

void ColumnWriter::Emit(std::string_view bytes, bool quoted, RecordWriter& out) {
    switch (form_.Format) {
        case OutputFormat::Fixed:
            out.Append(bytes);
            return;
        case OutputFormat::Csv:
            if (!quoted) {
                out.Append(bytes);
                return;
            }
            // A quote inside a quoted value is doubled.
            for (std::size_t quote; (quote = bytes.find('"')) != std::string_view::npos;) {
                out.Append(bytes.substr(0, quote + 1));
                out.Append("\"");
                bytes.remove_prefix(quote + 1);
            }
            out.Append(bytes);
            return;
        case OutputFormat::Tsv:
            break;
    }
    // TSV has no quoting: a tab or line end inside a value becomes a blank.
    for (std::size_t special; (special = FindAny(bytes, kTsvSpecials)) < bytes.size();) {
        out.Append(bytes.substr(0, special));
        out.Append(" ");
        bytes.remove_prefix(special + 1);
    }
    out.Append(bytes);
}

// The start of a value: the delimiter after the one before it, and its opening quote.
void ColumnWriter::Open(bool quoted, RecordWriter& out) {
    if (!first_ && delimited_) out.Append(form_.Format == OutputFormat::Csv ? "," : "\t");
    first_ = false;
    if (quoted) out.Append("\"");
}

void ColumnWriter::Close(bool quoted, RecordWriter& out) {
    if (quoted) out.Append("\"");
}

std::int64_t ColumnWriter::TakeUnconverted() {
    return std::exchange(unconverted_, 0);
}

}  // namespace rivex
