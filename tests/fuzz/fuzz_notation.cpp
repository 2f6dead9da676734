// Fuzzes the notation functions: the first byte picks the code page and the quote; the rest
// is split at the first NUL into the text and the searched text.
#include <cstdint>
#include <string>

#include "engine/notation.h"
#include "engine/platform_error.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivex;
    if (size == 0) return 0;
    const CodePage cp = (data[0] & 1) != 0 ? CodePage::Cp932 : CodePage::Utf8;
    const std::string quote = (data[0] & 2) != 0 ? "\"" : "";
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t nul = input.find('\0');
    const std::string s = input.substr(0, nul);
    const std::string sub = nul == std::string::npos ? "," : input.substr(nul + 1, 4);
    const int length = static_cast<int>(s.size());

    const std::vector<ByteKind> kinds = Classify(s, cp);
    Require(kinds.size() == s.size());
    Require(kinds.empty() || kinds[0] != ByteKind::Trail);
    const int pos = QuotedPos(s, 1, 0, sub, quote, cp);
    Require(pos >= -1 && pos <= length);
    if (pos > 0) Require(s.compare(static_cast<std::size_t>(pos - 1), sub.size(), sub) == 0);
    const int count = QuotedCount(s, 1, 0, sub, quote, cp);
    Require(pos != -1 || count == -1);  // the count reads on past the first match
    if (count > 0) {
        Require(QuotedNthPos(s, sub, 1, quote, cp) == pos);
        Require(QuotedNthPos(s, sub, count + 1, quote, cp) == 0);
    }

    std::string blanks = s;
    if (DeleteBlanks(blanks, quote, cp) == 1 && quote.empty()) {
        Require(blanks.find(' ') == std::string::npos || cp == CodePage::Cp932);
    }
    const std::string trimmed = TrimSide("B", s);
    if (!trimmed.empty()) {
        Require(static_cast<unsigned char>(trimmed.front()) > 0x20);
        Require(static_cast<unsigned char>(trimmed.back()) > 0x20);
    }
    try {
        const NumberCheck number = CheckNumber(s, Phrase::ItemCountFrom, "0");
        Require(number.value >= -1);
        Require(!number.message == (number.value >= 1));
    } catch (const PlatformError&) {
        Require(CheckDigits(s) == 0);
    }

    // Every call takes something off the list, so the loop ends.
    std::string list = s;
    for (std::size_t calls = 0;; ++calls) {
        Require(calls <= s.size() + 1);
        const std::size_t before = list.size();
        const ListItem item = NextListItem(list, quote, cp);
        if (item.Result != 1) break;
        Require(!item.ItemFrom.empty() && !item.ItemTo.empty() && list.size() < before);
    }
    return 0;
}
