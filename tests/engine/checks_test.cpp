#include "engine/checks.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/platform_error.h"

namespace rivex {
namespace {

// Names given, whole records, all records: a form that every check passes.
ExtractionRequest ValidForm() {
    ExtractionRequest form;
    form.SourceName = "/data/in.txt";
    form.OutputName = "/data/out.txt";
    form.FieldMode = FieldModes::WholeRecord;
    form.SelectMode = SelectModes::AllRecords;
    return form;
}

ExtractionRequest FieldForm(std::vector<std::array<std::string, 4>> rows) {
    ExtractionRequest form = ValidForm();
    form.FieldMode = FieldModes::ListedFields;
    form.FieldRows = std::move(rows);
    return form;
}

ExtractionRequest CountForm(std::vector<std::array<std::string, 2>> rows) {
    ExtractionRequest form = ValidForm();
    form.SelectMode = SelectModes::ByCount;
    form.SelectionRows = std::move(rows);
    return form;
}

ExtractionRequest CodeForm(std::string keys, std::vector<std::array<std::string, 2>> rows) {
    ExtractionRequest form = ValidForm();
    form.SelectMode = SelectModes::ByCode;
    form.KeyPositions = std::move(keys);
    form.SelectionRows = std::move(rows);
    return form;
}

struct RefusalCase {
    const char* name;
    std::function<ExtractionRequest()> form;
    std::string message;
    Focus focus;
};

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, MessageAndFocus) {
    EngineState state;
    const auto refusal = CompileConditions(GetParam().form(), state);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(Say(Language::Japanese, refusal->message), GetParam().message);
    EXPECT_EQ(refusal->focus, GetParam().focus);
}

const RefusalCase kRefusals[] = {
    {"NoSource",
     [] {
         auto f = ValidForm();
         f.SourceName = "";
         f.OutputName = "";
         return f;
     },
     "** 元ファイルの指定がありません。", Focus::Button1},
    {"NoOutput",
     [] {
         auto f = ValidForm();
         f.OutputName = "";
         return f;
     },
     "** 抽出ファイルの指定がありません。", Focus::Button2},
    {"PlaceholderOnlyInOutput",
     [] {
         auto f = ValidForm();
         f.OutputName = "/o/@.txt";
         return f;
     },
     "** 抽出ﾌｧｲﾙの＠は元ﾌｧｲﾙに＠がないので指定できません。", Focus::Button2},
    {"NoFieldMode",
     [] {
         auto f = ValidForm();
         f.FieldMode.reset();
         return f;
     },
     "** ﾌｨｰﾙﾄﾞ項目の抽出が未指定です。", Focus::Unchanged},
    {"FieldRightOnly",
     [] {
         return FieldForm({{"", "5", "", ""}});
     },
     "ﾌｨｰﾙﾄﾞ左桁位置はヌルです。", Focus::StringGrid1},
    {"FieldFullWidthStar",
     [] {
         return FieldForm({{"＊", "", "", ""}});
     },
     "ﾌｨｰﾙﾄﾞ左桁位置は非数字です。\r\n  ＊", Focus::StringGrid1},
    {"FieldRightZero",
     [] {
         return FieldForm({{"3", "0", "", ""}});
     },
     "ﾌｨｰﾙﾄﾞ右桁位置は値0です。\r\n  0", Focus::StringGrid1},
    {"FieldRepeatOfStar",
     [] {
         return FieldForm({{"3", "*", "13", "23"}});
     },
     "** 繰り返しのとき＊は使えません。", Focus::StringGrid1},
    {"FieldStarInRepeatCell",
     [] {
         return FieldForm({{"3", "4", "*", "23"}});
     },
     "ﾌｨｰﾙﾄﾞつぎの左位置は非数字です。\r\n  *", Focus::StringGrid1},
    {"FieldLastLeftBad",
     [] {
         return FieldForm({{"3", "4", "13", "x"}});
     },
     "ﾌｨｰﾙﾄﾞﾗｽﾄ左位置は非数字です。\r\n  x", Focus::StringGrid1},
    {"FieldReversed",
     [] {
         return FieldForm({{"5", "4", "", ""}});
     },
     "** ﾌｨｰﾙﾄﾞの左位置＞右位置です。", Focus::StringGrid1},
    {"FieldLastWithoutNext",
     [] {
         return FieldForm({{"1", "3", "", "91"}});
     },
     "** ﾌｨｰﾙﾄﾞのつぎの左位置が無指定です。", Focus::StringGrid1},
    {"FieldNextWithoutLast",
     [] {
         return FieldForm({{"1", "3", "11", ""}});
     },
     "** ﾌｨｰﾙﾄﾞのﾗｽﾄ左位置が無指定です。", Focus::StringGrid1},
    {"FieldNextBeyondLast",
     [] {
         return FieldForm({{"1", "3", "11", "10"}});
     },
     "** ﾌｨｰﾙﾄﾞのつぎの左位置＞ﾗｽﾄ左位置です。", Focus::StringGrid1},
    {"FieldPitchZero",
     [] {
         return FieldForm({{"5", "6", "5", "9"}});
     },
     "** ﾌｨｰﾙﾄﾞのつぎの左位置が左位置以下です。", Focus::StringGrid1},
    {"FieldPitchNegative",
     [] {
         return FieldForm({{"5", "6", "2", "9"}});
     },
     "** ﾌｨｰﾙﾄﾞのつぎの左位置が左位置以下です。", Focus::StringGrid1},
    {"FieldSecondRowChecked",
     [] {
         return FieldForm({{"1", "", "", ""}, {"", "", "", ""}, {"a", "", "", ""}});
     },
     "ﾌｨｰﾙﾄﾞ左桁位置は非数字です。\r\n  a", Focus::StringGrid1},
    {"NoSelectMode",
     [] {
         auto f = ValidForm();
         f.SelectMode.reset();
         return f;
     },
     "** ﾚｺｰﾄﾞの抽出が未指定です。", Focus::Unchanged},
    {"CountStarFrom",
     [] {
         return CountForm({{"*", "5"}});
     },
     "ｶｳﾝﾄはじめは非数字です。\r\n  *", Focus::StringGrid2},
    {"CountToZero",
     [] {
         return CountForm({{"5", "0"}});
     },
     "ｶｳﾝﾄおわりは値0です。\r\n  0", Focus::StringGrid2},
    {"CountReversed",
     [] {
         return CountForm({{"5", "4"}});
     },
     "** ｶｳﾝﾄ指定が逆転しています。", Focus::StringGrid2},
    {"CountNone",
     [] {
         return CountForm({{" ", ""}});
     },
     "** ｶｳﾝﾄ指定がありません。", Focus::StringGrid2},
    {"KeyNone",
     [] {
         return CodeForm("   ", {{"A", ""}});
     },
     "** ｷｰ位置の指定がありません。", Focus::Edit3},
    {"KeyTrailingComma",
     [] {
         return CodeForm("4-5,", {{"A", ""}});
     },
     "** ｷｰ位置で長さ0の指定があります。", Focus::Edit3},
    {"KeyLeadingComma",
     [] {
         return CodeForm(",4", {{"A", ""}});
     },
     "** ｷｰ位置で長さ0の指定があります。", Focus::Edit3},
    {"KeyTwoCommas",
     [] {
         return CodeForm("4,,5", {{"A", ""}});
     },
     "** ｷｰ位置で長さ0の指定があります。", Focus::Edit3},
    {"KeyOpenHyphen",
     [] {
         return CodeForm("4-", {{"A", ""}});
     },
     "** ｷｰ位置で長さ0の指定があります。", Focus::Edit3},
    {"KeyLeftZero",
     [] {
         return CodeForm("0-3", {{"A", ""}});
     },
     "ｷｰ左位置の指定は値0です。\r\n  0", Focus::Edit3},
    {"KeyThreeParts",
     [] {
         return CodeForm("4-5-6", {{"A", ""}});
     },
     "ｷｰ右位置の指定は非数字です。\r\n  5-6", Focus::Edit3},
    {"KeyQuote",
     [] {
         return CodeForm("\"4\"", {{"A", ""}});
     },
     "ｷｰ左位置の指定は非数字です。\r\n  \"4\"", Focus::Edit3},
    {"KeyReversed",
     [] {
         return CodeForm("5-4", {{"A", ""}});
     },
     "** ｷｰ位置指定が逆転しています。", Focus::Edit3},
    {"KeyEleven",
     [] {
         return CodeForm("1,2,3,4,5,6,7,8,9,10,11", {{"A", ""}});
     },
     "** ｷｰ位置の指定は10個までです。", Focus::Edit3},
    {"CodeToWithoutFrom",
     [] {
         return CodeForm("1", {{"", "B"}});
     },
     "** はじめｺｰﾄﾞの指定がありません。", Focus::StringGrid2},
    {"CodeReversed",
     [] {
         return CodeForm("1", {{"B", "A"}});
     },
     "** ｺｰﾄﾞ指定が逆転しています。", Focus::StringGrid2},
    {"CodeNone", [] { return CodeForm("1", {}); }, "** ｺｰﾄﾞ指定がありません。", Focus::StringGrid2},
    {"CodeNotInCp932",
     [] {
         return CodeForm("1", {{"한", ""}});
     },
     "** ｺｰﾄﾞにｼﾌﾄJISで表せない文字があります。", Focus::StringGrid2},
};

INSTANTIATE_TEST_SUITE_P(Checks, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckOrder, FileNamesAndModes) {
    EngineState state;
    ExtractionRequest form = ValidForm();
    form.SourceName = "   ";  // blanks only pass the emptiness test
    form.OutputName = " /o/x.txt ";
    EXPECT_FALSE(CompileConditions(form, state).has_value());
    EXPECT_EQ(state.conditions.SourceFileName, "");
    EXPECT_EQ(state.conditions.OutputFileName, "/o/x.txt");
    EXPECT_EQ(state.placeholder.SequenceCurrent, "  ");
    EXPECT_EQ(state.placeholder.SequenceEnd, "  ");

    form.SourceName = "/in/a@.txt";
    EXPECT_FALSE(CompileConditions(form, state).has_value());
    EXPECT_TRUE(state.conditions.SourceHasPlaceholder);
    EXPECT_FALSE(state.conditions.OutputHasPlaceholder);
}

// A series into one output file must not write over one of its own sources.
TEST(CheckOrder, SeriesOutputThatIsOneOfItsSources) {
    const std::pair<const char*, const char*> clashes[] = {
        {"p@.txt", "p3.txt"}, {"p@.txt", "p.txt"}, {"/d/@/x@.txt", "/d/07/x07.txt"}};
    const std::pair<const char*, const char*> apart[] = {
        {"p@.txt", "q3.txt"}, {"p@.txt", "p3.csv"}, {"/d/@/x@.txt", "/d/07/x08.txt"}, {"p@", "q"}};
    for (const auto& [source, output] : clashes) {
        EngineState state;
        ExtractionRequest form = ValidForm();
        form.SourceName = source;
        form.OutputName = output;
        const auto refusal = CompileConditions(form, state);
        ASSERT_TRUE(refusal.has_value()) << source << " " << output;
        EXPECT_EQ(refusal->message, Message{Phrase::OutputIsASeriesSource});
        EXPECT_EQ(refusal->focus, Focus::Button2);
    }
    for (const auto& [source, output] : apart) {
        EngineState state;
        ExtractionRequest form = ValidForm();
        form.SourceName = source;
        form.OutputName = output;
        EXPECT_FALSE(CompileConditions(form, state).has_value()) << source << " " << output;
    }
}

TEST(CheckOrder, OverflowIsAPlatformError) {
    EngineState state;
    EXPECT_THROW(CompileConditions(CountForm({{"2147483648", ""}}), state), PlatformError);
}

void ExpectItem(const FieldItem& item, std::int64_t left, std::int64_t right, std::int64_t width,
                std::int64_t pitch, std::int64_t lastLeft) {
    EXPECT_EQ(item.Left, left);
    EXPECT_EQ(item.Right, right);
    EXPECT_EQ(item.Width, width);
    EXPECT_EQ(item.Pitch, pitch);
    EXPECT_EQ(item.LastLeft, lastLeft);
}

TEST(FieldCompile, RowsInGridOrder) {
    EngineState state;
    ASSERT_FALSE(CompileConditions(FieldForm({{" 10 ", "", "", ""},
                                              {"10", "*", "", ""},
                                              {"", "", "", ""},
                                              {"*", "", "", ""},
                                              {"1", "3", "11", "91"}}),
                                   state));
    const auto& items = state.conditions.FieldItems;
    ASSERT_EQ(items.size(), 4u);
    ExpectItem(items[0], 10, 10, 1, 0, 0);
    ExpectItem(items[1], 10, -1, -1, 0, 0);
    ExpectItem(items[2], -1, -1, -1, 0, 0);
    ExpectItem(items[3], 1, 3, 3, 10, 91);
    EXPECT_EQ(state.conditions.FieldMode, FieldModes::ListedFields);
}

TEST(FieldCompile, BlankTableGivesNoItems) {
    EngineState state;
    state.conditions.FieldItems = {{1, 1, 1, 0, 0}};
    ASSERT_FALSE(CompileConditions(FieldForm({{"", " ", "", ""}}), state));
    EXPECT_TRUE(state.conditions.FieldItems.empty());
}

TEST(CountCompile, RangesKeptInOrder) {
    EngineState state;
    ASSERT_FALSE(CompileConditions(
        CountForm(
            {{"50", "60"}, {"10", "20"}, {"5", ""}, {"100", "*"}, {"", ""}, {"1", "99999999"}}),
        state));
    const auto& r = state.conditions.CountRanges;
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].First, 50);
    EXPECT_EQ(r[1].Last, 20);
    EXPECT_EQ(r[2].First, 5);
    EXPECT_EQ(r[2].Last, 5);
    EXPECT_EQ(r[3].Last, CountRange::kEndOfFile);
    EXPECT_EQ(r[4].Last, 99999999);  // a typed number is just that number
    EXPECT_EQ(state.conditions.SelectMode, SelectModes::ByCount);
}

TEST(CountCompile, AllRecordsIgnoresTheGridsAndKeys) {
    EngineState state;
    ExtractionRequest form = ValidForm();
    form.SelectionRows = {{"x", "y"}};
    form.KeyPositions = "bad";
    ASSERT_FALSE(CompileConditions(form, state));
    ASSERT_EQ(state.conditions.CountRanges.size(), 1u);
    EXPECT_EQ(state.conditions.CountRanges[0].First, 1);
    EXPECT_EQ(state.conditions.CountRanges[0].Last, CountRange::kEndOfFile);
}

TEST(CodeCompile, KeySegmentsAndCodes) {
    EngineState state;
    ASSERT_FALSE(CompileConditions(
        CodeForm(" 4 - 5 ,  7 - 9 ", {{"A", ""}, {"\" AB \"", ""}, {"\"\"", "Z"}, {"表", "表"}}),
        state));
    const auto& k = state.conditions.KeySegments;
    ASSERT_EQ(k.size(), 2u);
    EXPECT_EQ(k[0].Left, 4);
    EXPECT_EQ(k[0].Width, 2);
    EXPECT_EQ(k[1].Left, 7);
    EXPECT_EQ(k[1].Right, 9);
    EXPECT_EQ(k[1].Width, 3);
    const auto& c = state.conditions.CodeRecords;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].FromCode, "A");
    EXPECT_EQ(c[0].ToCode, "A");
    EXPECT_EQ(c[1].FromCode, " AB ");
    EXPECT_EQ(c[1].ToCode, " AB ");
    EXPECT_EQ(c[2].FromCode, "");
    EXPECT_EQ(c[3].FromCode, "\x95\x5C");  // typed in UTF-8, compiled to Shift-JIS
}

TEST(CodeCompile, ByteWiseOrderAndQuoteRule) {
    EngineState state;
    // AB before ABC, Z (0x5A) before a (0x61), ASCII before Shift-JIS lead bytes.
    EXPECT_FALSE(CompileConditions(CodeForm("1", {{"AB", "ABC"}, {"Z", "a"}, {"z", "表"}}), state));
    // An unclosed quote loses its first and its last character all the same, here "表".
    ASSERT_FALSE(CompileConditions(CodeForm("12", {{"\"AB表", ""}}), state));
    EXPECT_EQ(state.conditions.CodeRecords[0].FromCode, "AB");
    EXPECT_EQ(state.conditions.KeySegments[0].Width, 1);
}

TEST(CodeCompile, TenKeySegmentsAreAccepted) {
    EngineState state;
    ASSERT_FALSE(CompileConditions(CodeForm("1,2,3,4,5,6,7,8,9,10", {{"A", ""}}), state));
    EXPECT_EQ(state.conditions.KeySegments.size(), 10u);
}

}  // namespace
}  // namespace rivex
