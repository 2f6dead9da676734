// The small text functions that read the condition notation. Positions are byte positions
// counted from 1; no search, trim or split falls inside a multi-byte character of `cp`.
// A quote is passed as a text of one character; an empty text means nothing is quoted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/codepage.h"
#include "engine/platform_error.h"

namespace rivex {

// First position of `sub` in `s` from `from` to `to` (0 = the end of `s`); 0 when there is
// none, -1 when a quote met on the way is not closed. Quoted text is never matched.
int QuotedPos(std::string_view s, int from, int to, std::string_view sub, std::string_view quote,
              CodePage cp);

// Position of the n-th occurrence of `sub` in all of `s`; 0 when there are fewer, -1 for an
// unclosed quote.
int QuotedNthPos(std::string_view s, std::string_view sub, int n, std::string_view quote,
                 CodePage cp);

// Number of occurrences of `sub` from `from` to `to` (0 = the end of `s`); -1 for an unclosed
// quote.
int QuotedCount(std::string_view s, int from, int to, std::string_view sub, std::string_view quote,
                CodePage cp);

// Removes every half-width blank outside quotes; full-width blanks and tabs stay. 1, or -1
// when a quote is not closed (the blanks before it are removed all the same).
int DeleteBlanks(std::string& s, std::string_view quote, CodePage cp);

// Side "B", "L" or "R": drops the bytes 0x20 and below from both, the left or the right end.
// Such a byte is never part of a double-byte character, so no character is cut.
std::string TrimSide(std::string_view side, std::string_view s);

// The result of CheckNumber: the value (-1 for an empty or non-numeric text, 0 for the value 0
// when the zero test is on) and, for those two, the message to show after a beep.
struct NumberCheck {
    std::int32_t value;
    std::optional<Message> message;
};

// The platform error of a digit string beyond the signed 32-bit range, as the run shows it;
// it also keeps where the digits were typed, so that the viewer's preview can say which cell
// it is.
class NumberTooLarge : public PlatformError {
  public:
    NumberTooLarge(std::string_view text, Phrase item);
    // The grid row (from 1) of the cell; set by the check that reads the grid, on the way out.
    void SetRow(int row) { row_ = row; }
    // The error box's text, then the item and for a grid cell its row as the grid labels
    // it: "ｶｳﾝﾄはじめ (2)".
    Message WithPlace() const;

  private:
    std::string text_;
    Phrase item_;
    int row_ = 0;
};

// Reads a position or count typed as half-width digits. A digit string beyond the signed
// 32-bit range throws NumberTooLarge ("'%s' は整数ではありません").
NumberCheck CheckNumber(std::string_view text, Phrase item, std::string_view zeroText);

// 0 when every byte is a digit 0-9 (the empty text included), else -1.
int CheckDigits(std::string_view text);

// The value of a text of digits only; nullopt for an empty text, another character, or a
// value past the signed 64-bit range.
std::optional<std::int64_t> DigitsValue(std::string_view text);

// The result of NextListItem: 1 (more items follow), 0 (last item), -1 (error), and the two
// sides of the item taken.
struct ListItem {
    int Result;
    std::string ItemFrom;
    std::string ItemTo;
};

// Takes the first comma-separated item off `s`, split at its first hyphen.
ListItem NextListItem(std::string& s, std::string_view quote, CodePage cp);

}  // namespace rivex
