#include "engine/notation.h"

#include <gtest/gtest.h>

#include "engine/platform_error.h"

namespace rivex {
namespace {

constexpr auto kSjis = CodePage::Cp932;
constexpr auto kUtf8 = CodePage::Utf8;

// "表" in Shift-JIS is 0x95 0x5C: its trail byte is the value of "\".
const std::string kHyo = "\x95\x5C";

TEST(ByteClassification, ShiftJisLeadAndTrail) {
    const std::string s = "a" + kHyo + "\x82\xA0" + "b";  // a, 表, あ, b
    EXPECT_EQ(Classify(s, kSjis)[0], ByteKind::Single);
    EXPECT_EQ(Classify(s, kSjis)[1], ByteKind::Lead);
    EXPECT_EQ(Classify(s, kSjis)[2], ByteKind::Trail);
    EXPECT_EQ(Classify(s, kSjis)[3], ByteKind::Lead);
    EXPECT_EQ(Classify(s, kSjis)[4], ByteKind::Trail);
    EXPECT_EQ(Classify(s, kSjis)[5], ByteKind::Single);
    // Half-width katakana (0xA1-0xDF) are single bytes; 0xE0-0xFC are lead bytes.
    EXPECT_EQ(Classify("\xB1\xE0\x40", kSjis)[0], ByteKind::Single);
    EXPECT_EQ(Classify("\xB1\xE0\x40", kSjis)[2], ByteKind::Trail);
}

TEST(ByteClassification, Utf8AsciiSingleAndSequences) {
    const std::string s = "a\xE3\x81\x82z";  // a, あ, z
    EXPECT_EQ(Classify(s, kUtf8)[0], ByteKind::Single);
    EXPECT_EQ(Classify(s, kUtf8)[1], ByteKind::Lead);
    EXPECT_EQ(Classify(s, kUtf8)[2], ByteKind::Trail);
    EXPECT_EQ(Classify(s, kUtf8)[3], ByteKind::Trail);
    EXPECT_EQ(Classify(s, kUtf8)[4], ByteKind::Single);
    // The Shift-JIS trail 0x5C is "\" on its own in UTF-8.
    EXPECT_EQ(Classify(kHyo, kUtf8)[1], ByteKind::Single);
}

TEST(ByteClassification, ConversionToCp932) {
    EXPECT_EQ(ToCp932("表A"), kHyo + "A");
    EXPECT_EQ(ToCp932("～"), "\x81\x60");  // the full-width tilde of code page 932
    EXPECT_EQ(ToCp932("ｱ"), "\xB1");
    EXPECT_EQ(ToCp932("한"), std::nullopt);  // Hangul has no code page 932 form
    EXPECT_EQ(ToCp932Lossy("a한表"), "a?" + kHyo);
}

// Every code page the windows and options offer is found by its name and its list position,
// and the system converts typed text into it.
TEST(ByteClassification, CodePageTable) {
    for (const CodePageInfo& page : kCodePages) {
        EXPECT_EQ(CodePageNamed(page.name), page.id);
        EXPECT_EQ(CodePageAt(IndexOf(page.id)), page.id);
        EXPECT_EQ(&InfoOf(page.id), &page);
        EXPECT_EQ(ToCodePage("A1", page.id), "A1") << page.name;
        EXPECT_NO_THROW(Converter("UTF-16LE", page.iconvName)) << page.iconvName;
    }
    EXPECT_EQ(CodePageNamed("cp932"), std::nullopt);
    EXPECT_EQ(CodePageAt(static_cast<int>(kCodePages.size())), std::nullopt);
    EXPECT_EQ(ToCodePage("表", kUtf8), "表");
}

TEST(QuotedScan, TrailByteIsNeverAMatch) {
    const std::string path = "C:" + kHyo + "\\x";
    EXPECT_EQ(QuotedPos(path, 1, 0, "\\", "", kSjis), 5);
    EXPECT_EQ(QuotedCount(path, 1, 0, "\\", "", kSjis), 1);
    EXPECT_EQ(QuotedPos(path, 1, 0, "\\", "", kUtf8), 4);  // no trail bytes in that reading
}

TEST(QuotedScan, QuotesHideTheirContent) {
    EXPECT_EQ(QuotedPos("\"a,b\",c", 1, 0, ",", "\"", kSjis), 6);
    EXPECT_EQ(QuotedPos("a,\"b", 1, 0, ",", "\"", kSjis), 2);  // found before the quote
    EXPECT_EQ(QuotedPos("a\"b,c", 1, 0, ",", "\"", kSjis),
              -1);                                            // unclosed, even with a match after
    EXPECT_EQ(QuotedPos("a\"b,c", 1, 0, ",", "", kSjis), 4);  // no quote character given
    // The closing quote is looked for beyond the span.
    EXPECT_EQ(QuotedPos("\"ab\",x", 1, 2, ",", "\"", kSjis), 0);
}

TEST(QuotedScan, SpansCountsAndNth) {
    const std::string path = "a\\b\\c\\d";
    EXPECT_EQ(QuotedCount(path, 1, 0, "\\", "", kSjis), 3);
    EXPECT_EQ(QuotedNthPos(path, "\\", 2, "", kSjis), 4);
    EXPECT_EQ(QuotedNthPos(path, "\\", 4, "", kSjis), 0);
    EXPECT_EQ(QuotedCount(path, 3, 4, "\\", "", kSjis), 1);
    EXPECT_EQ(QuotedPos(path, 3, 0, "\\", "", kSjis), 4);
    EXPECT_EQ(QuotedCount("aaaa", 1, 0, "aa", "", kSjis), 3);  // overlapping occurrences
    EXPECT_EQ(QuotedPos("abc", 1, 2, "bc", "", kSjis), 0);     // would end past the span
}

TEST(DeleteBlanksTest, RemovesHalfWidthBlanksOnly) {
    std::string keys = " 4 - 5 , 7 - 9 ";
    EXPECT_EQ(DeleteBlanks(keys, "", kUtf8), 1);
    EXPECT_EQ(keys, "4-5,7-9");
    std::string wide = "1\xE3\x80\x80 2\t3";  // an ideographic blank and a tab stay
    EXPECT_EQ(DeleteBlanks(wide, "", kUtf8), 1);
    EXPECT_EQ(wide,
              "1\xE3\x80\x80"
              "2\t3");
    // The Shift-JIS character 0x81 0x20 does not exist, but a lead byte still takes its trail.
    std::string sjis = "\x81\x20 x";
    EXPECT_EQ(DeleteBlanks(sjis, "", kSjis), 1);
    EXPECT_EQ(sjis, "\x81\x20x");
}

TEST(DeleteBlanksTest, QuotedBlanksStayAndUnclosedQuoteStops) {
    std::string quoted = "a \" b \" c";
    EXPECT_EQ(DeleteBlanks(quoted, "\"", kSjis), 1);
    EXPECT_EQ(quoted, "a\" b \"c");
    std::string unclosed = "a b \" c d";
    EXPECT_EQ(DeleteBlanks(unclosed, "\"", kSjis), -1);
    EXPECT_EQ(unclosed, "ab\" c d");
}

TEST(TrimSideTest, Sides) {
    EXPECT_EQ(TrimSide("B", " \t a b \r\n"), "a b");
    EXPECT_EQ(TrimSide("L", "  a  "), "a  ");
    EXPECT_EQ(TrimSide("R", "  a  "), "  a");
    EXPECT_EQ(TrimSide("X", "  a  "), "  a  ");
    EXPECT_EQ(TrimSide("B", "    "), "");
    EXPECT_EQ(TrimSide("B",
                       "\xE3\x80\x80"
                       "a "),
              "\xE3\x80\x80"
              "a");  // a full-width blank stays
}

struct NumberCase {
    std::string text;
    std::int32_t value;
    std::string message;
};

class CheckNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(CheckNumberTest, ValueAndMessage) {
    const NumberCase& c = GetParam();
    const NumberCheck check = CheckNumber(c.text, Phrase::ItemCountFrom, "0");
    EXPECT_EQ(check.value, c.value);
    EXPECT_EQ(check.message ? Say(Language::Japanese, *check.message) : "", c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CheckNumberTest,
    ::testing::Values(NumberCase{"007", 7, ""}, NumberCase{"99999999", 99999999, ""},
                      NumberCase{"2147483647", 2147483647, ""},
                      NumberCase{"0", 0, "ｶｳﾝﾄはじめは値0です。\r\n  0"},
                      NumberCase{"000", 0, "ｶｳﾝﾄはじめは値0です。\r\n  000"},
                      NumberCase{"12a", -1, "ｶｳﾝﾄはじめは非数字です。\r\n  12a"},
                      NumberCase{"", -1, "ｶｳﾝﾄはじめはヌルです。"},
                      NumberCase{"-5", -1, "ｶｳﾝﾄはじめは非数字です。\r\n  -5"},
                      NumberCase{"1 2", -1, "ｶｳﾝﾄはじめは非数字です。\r\n  1 2"},
                      NumberCase{"１", -1, "ｶｳﾝﾄはじめは非数字です。\r\n  １"}));

TEST(CheckNumberLimits, ZeroTestOffAndOverflow) {
    EXPECT_EQ(CheckNumber("0", Phrase::ItemKeyLeft, "").value, 0);
    EXPECT_EQ(CheckNumber("0", Phrase::ItemKeyLeft, "").message, std::nullopt);
    try {
        CheckNumber("2147483648", Phrase::ItemKeyLeft, "0");
        FAIL() << "no error for a value beyond 32 bits";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "'2147483648' は整数ではありません");
    }
}

TEST(CheckDigitsTest, DigitsOnly) {
    EXPECT_EQ(CheckDigits(""), 0);
    EXPECT_EQ(CheckDigits("0123456789"), 0);
    EXPECT_EQ(CheckDigits("12３"), -1);
    EXPECT_EQ(CheckDigits("1/"), -1);
    EXPECT_EQ(CheckDigits("1:"), -1);
    EXPECT_EQ(DigitsValue(""), std::nullopt);  // no digit, unlike CheckDigits
    EXPECT_EQ(DigitsValue("007"), 7);
    EXPECT_EQ(DigitsValue("+7"), std::nullopt);
    EXPECT_EQ(DigitsValue("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(DigitsValue("9223372036854775808"), std::nullopt);
}

struct ListCase {
    std::string list;
    std::vector<ListItem> items;  // the results of the calls in turn
};

class NextListItemTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(NextListItemTest, Items) {
    std::string s = GetParam().list;
    for (const ListItem& expected : GetParam().items) {
        const ListItem item = NextListItem(s, "", kUtf8);
        ASSERT_EQ(item.Result, expected.Result) << GetParam().list;
        if (item.Result == -1) continue;
        EXPECT_EQ(item.ItemFrom, expected.ItemFrom);
        EXPECT_EQ(item.ItemTo, expected.ItemTo);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, NextListItemTest,
                         ::testing::Values(ListCase{"4-5,7-9", {{1, "4", "5"}, {0, "7", "9"}}},
                                           ListCase{"12", {{0, "12", "12"}}},
                                           ListCase{"4-5,", {{1, "4", "5"}, {-1, "", ""}}},
                                           ListCase{",4", {{-1, "", ""}}},
                                           ListCase{"-5", {{-1, "", ""}}},
                                           ListCase{"4-", {{-1, "", ""}}},
                                           ListCase{"4-5-6", {{0, "4", "5-6"}}},
                                           ListCase{"1,,2", {{1, "1", "1"}, {-1, "", ""}}}));

}  // namespace
}  // namespace rivex
