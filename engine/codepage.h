// Byte classification under a code page, and the conversion of typed text to code page 932.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rivex {

enum class CodePage {
    Cp932,  // Shift-JIS: a lead byte 0x81-0x9F or 0xE0-0xFC starts a double-byte character
    Utf8,   // every ASCII byte is single; a multi-byte sequence is one lead and its trail bytes
};

// What the program knows of each code page, in the order the windows list them: its name in
// conditions files and options, its name for iconv, and its label in the windows.
struct CodePageInfo {
    CodePage id;
    std::string_view name;
    const char* iconvName;
    std::string_view label;
};
inline constexpr std::array<CodePageInfo, 2> kCodePages{{
    {CodePage::Cp932, "sjis", "CP932", "シフトJIS"},
    {CodePage::Utf8, "utf8", "UTF-8", "UTF-8"},
}};

const CodePageInfo& InfoOf(CodePage cp);

// The code page of kCodePages' entry `index` (a window's list position), or of `name`.
std::optional<CodePage> CodePageAt(int index);
std::optional<CodePage> CodePageNamed(std::string_view name);
int IndexOf(CodePage cp);

// The byte order mark that may open a UTF-8 file; it is no part of the text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

enum class ByteKind { Single = 0, Lead = 1, Trail = 2 };

// Bytes of the character that starts at `i` (at least 1, never past the end of `s`).
std::size_t CharLength(std::string_view s, std::size_t i, CodePage cp);

// Bytes of a whole character that begins with `lead`.
std::size_t SequenceLength(unsigned char lead, CodePage cp);

// Bytes of the character at `i` of `s` as far as it is well formed: a lead byte that no
// trail byte follows stands alone, so that no line end or delimiter is taken into it.
std::size_t WellFormedLength(std::string_view s, std::size_t i, CodePage cp);

// True when byte `at` of `s`, a text classified from its start, is no character's first byte.
bool StartsInsideCharacter(std::string_view s, std::size_t at, CodePage cp);

// The full-width blank, U+3000.
std::string_view FullWidthBlank(CodePage cp);

// What a character that does not convert is written as: U+FFFD, or the geta mark 〓 that
// Japanese text has long used for it.
std::string_view StandIn(CodePage cp);

// The kind of every byte of `s`, classified from its start.
std::vector<ByteKind> Classify(std::string_view s, CodePage cp);

// One iconv conversion descriptor, closed when done.
class Converter {
  public:
    // Throws PlatformError when the system cannot convert between the two.
    Converter(const char* to, const char* from);
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // All of `in` converted. At a character that cannot be, either nullopt, or `substitute`
    // in its place (the input then being UTF-8).
    std::optional<std::string> Convert(std::string_view in, const char* substitute = nullptr);

    // `in`, text of `from`, converted and appended to `out`, with `substitute` for each
    // character that has no form in the other code page and each byte that is no character of
    // `from` (a bad byte, a character cut short). With `more`, a character that the end of `in`
    // cuts short is left for the caller to give again with the bytes that follow.
    struct Lossy {
        std::size_t substituted = 0;
        std::size_t left = 0;  // bytes at the end of `in` not taken
    };
    Lossy ConvertInto(std::string_view in, CodePage from, std::string_view substitute, bool more,
                      std::string& out);

  private:
    void* cd_;  // iconv_t
};

// The code page that `head`, the first bytes of a file, seems written in when that is not
// `chosen`: UTF-8 when it has bytes above 0x7F and all of it is UTF-8; code page 932 when
// it is not UTF-8 but is code page 932. nullopt when nothing speaks against `chosen`. A
// character cut short at the end of `head` does not count.
std::optional<CodePage> OtherCodePage(std::string_view head, CodePage chosen);

// UTF-8 text as bytes of `cp`; nullopt when a character has no form there.
std::optional<std::string> ToCodePage(std::string_view utf8, CodePage cp);

// UTF-8 text as code page 932 bytes; nullopt when a character has no code page 932 form.
std::optional<std::string> ToCp932(std::string_view utf8);

// UTF-8 text as code page 932 bytes, with "?" for each character that has no such form.
std::string ToCp932Lossy(std::string_view utf8);

}  // namespace rivex
