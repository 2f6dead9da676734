#include "engine/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "engine/platform_error.h"

namespace rivex {
namespace {

bool IsCp932Lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsCp932Trail(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

std::size_t Utf8SequenceLength(unsigned char b) {
    if (b >= 0xF8) return 1;  // no lead byte
    if (b >= 0xF0) return 4;
    if (b >= 0xE0) return 3;
    if (b >= 0xC0) return 2;
    return 1;
}

// `head` without a last character that its end cuts short.
std::string_view WholeCharacters(std::string_view head, CodePage cp) {
    if (head.empty()) return head;
    switch (cp) {
        case CodePage::Cp932: {
            const bool cutLead = Classify(head, cp).back() != ByteKind::Trail &&
                                 IsCp932Lead(static_cast<unsigned char>(head.back()));
            return cutLead ? head.substr(0, head.size() - 1) : head;
        }
        case CodePage::Utf8:
            for (std::size_t k = 1; k <= std::min<std::size_t>(head.size(), 3); ++k) {
                const auto b = static_cast<unsigned char>(head[head.size() - k]);
                if ((b & 0xC0) == 0x80) continue;
                return Utf8SequenceLength(b) > k ? head.substr(0, head.size() - k) : head;
            }
            return head;
    }
    return head;
}

bool IsText(std::string_view bytes, CodePage cp) {
    return Converter("UTF-16LE", InfoOf(cp).iconvName)
        .Convert(WholeCharacters(bytes, cp))
        .has_value();
}

}  // namespace

const CodePageInfo& InfoOf(CodePage cp) {
    return kCodePages[static_cast<std::size_t>(IndexOf(cp))];
}

int IndexOf(CodePage cp) {
    const auto it = std::ranges::find(kCodePages, cp, &CodePageInfo::id);
    return static_cast<int>(it - kCodePages.begin());
}

std::optional<CodePage> CodePageAt(int index) {
    if (index < 0 || index >= static_cast<int>(kCodePages.size())) return std::nullopt;
    return kCodePages[static_cast<std::size_t>(index)].id;
}

std::optional<CodePage> CodePageNamed(std::string_view name) {
    const auto it = std::ranges::find(kCodePages, name, &CodePageInfo::name);
    if (it == kCodePages.end()) return std::nullopt;
    return it->id;
}

std::size_t CharLength(std::string_view s, std::size_t i, CodePage cp) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t length = 1;
    switch (cp) {
        case CodePage::Cp932:
            length = IsCp932Lead(b) ? 2 : 1;
            break;
        case CodePage::Utf8:
            length = Utf8SequenceLength(b);
            // A sequence cut short by a byte that is no continuation ends before that byte.
            for (std::size_t k = 1; k < length; ++k) {
                if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                    length = k;
                    break;
                }
            }
            break;
    }
    return std::min(length, s.size() - i);
}

std::size_t WellFormedLength(std::string_view s, std::size_t i, CodePage cp) {
    if (cp == CodePage::Cp932) {
        const bool pair = i + 1 < s.size() && IsCp932Lead(static_cast<unsigned char>(s[i])) &&
                          IsCp932Trail(static_cast<unsigned char>(s[i + 1]));
        return pair ? 2 : 1;
    }
    return CharLength(s, i, cp);
}

std::size_t SequenceLength(unsigned char lead, CodePage cp) {
    switch (cp) {
        case CodePage::Cp932:
            return IsCp932Lead(lead) ? 2 : 1;
        case CodePage::Utf8:
            break;
    }
    return Utf8SequenceLength(lead);
}

bool StartsInsideCharacter(std::string_view s, std::size_t at, CodePage cp) {
    if (at >= s.size()) return false;
    switch (cp) {
        case CodePage::Cp932: {
            // Before a first byte stand only pairs of lead bytes: an odd run makes `at` a trail,
            // if it can be one.
            std::size_t leads = 0;
            while (leads < at && IsCp932Lead(static_cast<unsigned char>(s[at - leads - 1]))) {
                ++leads;
            }
            return leads % 2 == 1 && IsCp932Trail(static_cast<unsigned char>(s[at]));
        }
        case CodePage::Utf8:
            break;
    }
    return (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80;
}

std::string_view FullWidthBlank(CodePage cp) {
    switch (cp) {
        case CodePage::Cp932:
            return "\x81\x40";
        case CodePage::Utf8:
            break;
    }
    return "\xE3\x80\x80";
}

std::string_view StandIn(CodePage cp) {
    switch (cp) {
        case CodePage::Cp932:
            return "\x81\xAC";
        case CodePage::Utf8:
            break;
    }
    return "\xEF\xBF\xBD";
}

std::vector<ByteKind> Classify(std::string_view s, CodePage cp) {
    std::vector<ByteKind> kinds(s.size(), ByteKind::Single);
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = CharLength(s, i, cp);
        if (length > 1) {
            kinds[i] = ByteKind::Lead;
            for (std::size_t k = 1; k < length; ++k) kinds[i + k] = ByteKind::Trail;
        }
        i += length;
    }
    return kinds;
}

Converter::Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
        throw PlatformError({Phrase::CannotConvert, {from, to}});
    }
}

Converter::~Converter() {
    iconv_close(cd_);
}

std::optional<std::string> Converter::Convert(std::string_view in, const char* substitute) {
    std::string out;
    const Lossy lossy =
        ConvertInto(in, CodePage::Utf8, substitute == nullptr ? "" : substitute, false, out);
    if (substitute == nullptr && lossy.substituted > 0) return std::nullopt;
    return out;
}

Converter::Lossy Converter::ConvertInto(std::string_view in, CodePage from,
                                        std::string_view substitute, bool more, std::string& out) {
    Lossy lossy;
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        out.append(buffer, dst);
        if (rc != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        if (error == EINVAL && more) {
            lossy.left = srcLeft;
            break;
        }
        const std::size_t at = in.size() - srcLeft;
        const std::size_t skip = WellFormedLength(in, at, from);
        // Bytes that may still become a character with those after them wait for them.
        if (more && at + skip == in.size() &&
            skip < SequenceLength(static_cast<unsigned char>(in[at]), from)) {
            lossy.left = srcLeft;
            break;
        }
        out += substitute;
        ++lossy.substituted;
        src += skip;
        srcLeft -= skip;
    }
    return lossy;
}

std::optional<CodePage> OtherCodePage(std::string_view head, CodePage chosen) {
    // ASCII reads the same under every code page.
    if (std::all_of(head.begin(), head.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::nullopt;
    }
    // UTF-8 is the strict one: text that is UTF-8 is taken for it.
    if (IsText(head, CodePage::Utf8)) {
        return chosen == CodePage::Utf8 ? std::nullopt : std::optional(CodePage::Utf8);
    }
    if (chosen != CodePage::Utf8) return std::nullopt;
    for (const CodePageInfo& page : kCodePages) {
        if (page.id != CodePage::Utf8 && IsText(head, page.id)) return page.id;
    }
    return std::nullopt;
}

std::optional<std::string> ToCodePage(std::string_view utf8, CodePage cp) {
    switch (cp) {
        case CodePage::Utf8:
            return std::string(utf8);  // typed text is UTF-8 already
        case CodePage::Cp932:
            break;
    }
    return Converter(InfoOf(cp).iconvName, "UTF-8").Convert(utf8);
}

std::optional<std::string> ToCp932(std::string_view utf8) {
    return ToCodePage(utf8, CodePage::Cp932);
}

std::string ToCp932Lossy(std::string_view utf8) {
    return *Converter("CP932", "UTF-8").Convert(utf8, "?");
}

}  // namespace rivex
