#include "engine/notation.h"

#include <charconv>
#include <functional>
#include <vector>

#include "engine/platform_error.h"

namespace rivex {
namespace {

// 0-based index of the next single-byte `quote` after 0-based `open`, or npos.
std::size_t ClosingQuote(std::string_view s, const std::vector<ByteKind>& kinds, std::size_t open,
                         char quote) {
    for (std::size_t j = open + 1; j < s.size(); ++j) {
        if (s[j] == quote && kinds[j] == ByteKind::Single) return j;
    }
    return std::string_view::npos;
}

// The common scan: calls `onMatch` with each 1-based occurrence of `sub` from `from` up to
// the end of the span `to`, until it returns true. -1 for an unclosed quote, else 0.
int ScanQuoted(std::string_view s, int from, int to, std::string_view sub, std::string_view quote,
               CodePage cp, const std::function<bool(int)>& onMatch) {
    const int spanEnd = to == 0 ? static_cast<int>(s.size()) : to;
    const int length = static_cast<int>(sub.size());
    if (length == 0) return 0;
    const auto kinds = Classify(s, cp);
    for (int i = std::max(from, 1); i <= spanEnd - length + 1;) {
        const std::size_t at = static_cast<std::size_t>(i - 1);
        if (kinds[at] == ByteKind::Trail) {
            ++i;
        } else if (!quote.empty() && s[at] == quote[0]) {
            const std::size_t close = ClosingQuote(s, kinds, at, quote[0]);
            if (close == std::string_view::npos) return -1;
            i = static_cast<int>(close) + 2;
        } else {
            if (s.substr(at, sub.size()) == sub && onMatch(i)) return 0;
            ++i;
        }
    }
    return 0;
}

}  // namespace

int QuotedPos(std::string_view s, int from, int to, std::string_view sub, std::string_view quote,
              CodePage cp) {
    int found = 0;
    const int rc = ScanQuoted(s, from, to, sub, quote, cp, [&](int i) {
        found = i;
        return true;
    });
    return rc < 0 ? rc : found;
}

int QuotedNthPos(std::string_view s, std::string_view sub, int n, std::string_view quote,
                 CodePage cp) {
    int seen = 0;
    int found = 0;
    const int rc = ScanQuoted(s, 1, 0, sub, quote, cp, [&](int i) {
        if (++seen < n) return false;
        found = i;
        return true;
    });
    return rc < 0 ? rc : found;
}

int QuotedCount(std::string_view s, int from, int to, std::string_view sub, std::string_view quote,
                CodePage cp) {
    int count = 0;
    const int rc = ScanQuoted(s, from, to, sub, quote, cp, [&](int) {
        ++count;
        return false;
    });
    return rc < 0 ? rc : count;
}

int DeleteBlanks(std::string& s, std::string_view quote, CodePage cp) {
    const auto kinds = Classify(s, cp);
    std::string kept;
    kept.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (!quote.empty() && s[i] == quote[0] && kinds[i] == ByteKind::Single) {
            const std::size_t close = ClosingQuote(s, kinds, i, quote[0]);
            if (close == std::string::npos) {
                s = kept + s.substr(i);
                return -1;
            }
            kept.append(s, i, close + 1 - i);
            i = close + 1;
        } else if (s[i] == ' ') {
            ++i;
        } else {
            const std::size_t length = CharLength(s, i, cp);
            kept.append(s, i, length);
            i += length;
        }
    }
    s = std::move(kept);
    return 1;
}

std::string TrimSide(std::string_view side, std::string_view s) {
    const auto isLow = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t first = 0;
    std::size_t last = s.size();
    if (side == "B" || side == "L") {
        while (first < last && isLow(s[first])) ++first;
    }
    if (side == "B" || side == "R") {
        while (last > first && isLow(s[last - 1])) --last;
    }
    return std::string(s.substr(first, last - first));
}

NumberTooLarge::NumberTooLarge(std::string_view text, Phrase item)
    : PlatformError({Phrase::NotAnInteger, {std::string(text)}}), text_(text), item_(item) {}

Message NumberTooLarge::WithPlace() const {
    if (row_ == 0) return {Phrase::NumberTooLargeIn, {text_, item_}};
    return {Phrase::NumberTooLargeInRow, {text_, item_, std::to_string(row_)}};
}

NumberCheck CheckNumber(std::string_view text, Phrase item, std::string_view zeroText) {
    if (text.empty()) return {-1, Message{Phrase::NumberEmpty, {item}}};
    const std::string typed(text);
    if (CheckDigits(text) != 0) return {-1, Message{Phrase::NumberNotDigits, {item, typed}}};
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) throw NumberTooLarge(text, item);
    if (!zeroText.empty() && value == 0) return {0, Message{Phrase::NumberZero, {item, typed}}};
    return {value, std::nullopt};
}

std::optional<std::int64_t> DigitsValue(std::string_view text) {
    if (text.empty() || CheckDigits(text) != 0) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int CheckDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
    }
    return 0;
}

ListItem NextListItem(std::string& s, std::string_view quote, CodePage cp) {
    ListItem item{-1, {}, {}};
    const int comma = QuotedPos(s, 1, 0, ",", quote, cp);
    if (comma == -1 || comma == 1) return item;
    std::string taken;
    int result = 0;
    if (comma == 0) {
        taken = s;
    } else {
        taken = s.substr(0, static_cast<std::size_t>(comma - 1));
        s.erase(0, static_cast<std::size_t>(comma));
        result = 1;
    }
    const int hyphen = QuotedPos(taken, 1, static_cast<int>(taken.size()), "-", quote, cp);
    if (hyphen == -1 || hyphen == 1) return item;
    if (hyphen == 0) {
        item.ItemFrom = taken;
        item.ItemTo = taken;
    } else {
        item.ItemFrom = taken.substr(0, static_cast<std::size_t>(hyphen - 1));
        item.ItemTo = taken.substr(static_cast<std::size_t>(hyphen));
    }
    if (item.ItemFrom.empty() || item.ItemTo.empty()) return item;
    item.Result = result;
    return item;
}

}  // namespace rivex
