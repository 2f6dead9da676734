#include "engine/placeholder.h"

#include <gtest/gtest.h>

#include "engine/extract.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::FakeHost;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct AnswerCase {
    const char* name;
    PlaceholderAnswer answer;
    std::optional<Phrase> message;  // nullopt: accepted
    DialogFocus focus;
    std::string current;
    std::string end;
};

class DialogAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(DialogAnswerTest, Checks) {
    const AnswerCase& c = GetParam();
    PlaceholderState p;
    p.SequenceEnd = "untouched";
    const auto refusal = AcceptPlaceholderAnswer(c.answer, p);
    if (!c.message) {
        EXPECT_FALSE(refusal.has_value()) << Say(Language::Japanese, refusal->message);
        EXPECT_EQ(p.SequenceCurrent, c.current);
        EXPECT_EQ(p.SequenceEnd, c.end);
        EXPECT_EQ(p.LastSpecification, c.answer.last);
        return;
    }
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->message.phrase, *c.message);
    EXPECT_EQ(refusal->focus, c.focus);
}

const AnswerCase kAnswers[] = {
    {"Range", {" 07 ", " 09 ", false}, std::nullopt, {}, "07", "09"},
    {"SingleNumber", {"5", "", true}, std::nullopt, {}, "5", "5"},
    {"TextIgnoresRight", {"ab", "12", false}, std::nullopt, {}, "ab", "ab"},
    {"BlankInsideIsText", {"1 2", "x", false}, std::nullopt, {}, "1 2", "1 2"},
    {"EqualEnds", {"12", "12", false}, std::nullopt, {}, "12", "12"},
    {"EightKanji", {"表表表表", "", false}, std::nullopt, {}, "表表表表", "表表表表"},
    {"NoLeft", {"  ", "3", false}, Phrase::AtLeftMissing, DialogFocus::Edit1, "", ""},
    {"LengthsDiffer", {"1", "12", false}, Phrase::AtLengthsDiffer, DialogFocus::Edit1, "", ""},
    {"Reversed", {"12", "05", false}, Phrase::AtReversed, DialogFocus::Edit1, "", ""},
    {"RightNotDigits", {"12", "1a", false}, Phrase::AtRightNotDigits, DialogFocus::Edit2, "", ""},
    {"LeftTooLong", {"123456789", "", false}, Phrase::AtLeftTooLong, DialogFocus::Edit1, "", ""},
    {"KanjiTooLong", {"表表表表a", "", false}, Phrase::AtLeftTooLong, DialogFocus::Edit1, "", ""},
    {"RightTooLong", {"1", "123456789", false}, Phrase::AtRightTooLong, DialogFocus::Edit2, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Answers, DialogAnswerTest, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DialogAnswer, EmptyLeftWithTheBoxEndsTheSeries) {
    PlaceholderState p;
    EXPECT_FALSE(AcceptPlaceholderAnswer({"", "", true}, p).has_value());
    EXPECT_EQ(p.SequenceWidth, 0);
    EXPECT_TRUE(p.LastSpecification);
}

TEST(Sequence, StepsKeepWidthAndLeadingZeros) {
    FakeHost host;
    PlaceholderState p;
    p.SequenceCurrent = "0098";
    p.SequenceEnd = "0101";
    std::vector<std::string> texts;
    while (p.SequenceCurrent != p.SequenceEnd && NextPlaceholder(p, host)) {
        texts.push_back(p.PlaceholderText);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"0099", "0100", "0101"}));
    EXPECT_EQ(host.dialogs, 0);
}

class SeriesTest : public ::testing::Test {
  protected:
    SeriesTest() {
        for (const char* n : {"07", "08", "09", "ab"}) {
            WriteFile(dir / (std::string("in") + n + ".txt"), std::string("r") + n + "\r\n");
        }
        form.SourceName = dir / "in@.txt";
        form.OutputName = dir / "out@.txt";
        form.FieldMode = FieldModes::WholeRecord;
        form.SelectMode = SelectModes::AllRecords;
    }
    // True when the press ran to the end of a run; false for a refusal.
    bool Press() {
        outcome = Extract(form, state, host);
        return std::holds_alternative<RunSummary>(outcome);
    }
    const RunSummary& Summary() const { return std::get<RunSummary>(outcome); }

    TempDir dir;
    ExtractionRequest form;
    EngineState state;
    FakeHost host;
    std::variant<Refusal, RunSummary> outcome;
};

TEST_F(SeriesTest, RangeGivesOnePassEachThenAsksAgain) {
    host.answers = {{"07", "09", false}, {"ab", "", true}};
    ASSERT_TRUE(Press());
    EXPECT_EQ(host.dialogs, 2);
    EXPECT_EQ(host.progressTexts, (std::vector<std::string>{"07", "08", "09", "ab"}));
    for (const char* n : {"07", "08", "09", "ab"}) {
        EXPECT_EQ(ReadFile(dir / (std::string("out") + n + ".txt")), std::string("r") + n + "\r\n");
    }
    ASSERT_EQ(host.runLog.size(), 24u);
    EXPECT_EQ(host.runLog[0], " ---------------------------");
    EXPECT_EQ(host.runLog[1], "＠相当文字：07");
    EXPECT_EQ(host.runLog[2], "元ファイル名　：" + dir / "in07.txt");
    EXPECT_EQ(host.runLog[3], "抽出ファイル名：" + dir / "out07.txt");
    EXPECT_EQ(host.runLog[19], "＠相当文字：ab");
    EXPECT_EQ(Summary().totalOutputCount, 4);
}

TEST_F(SeriesTest, OneOutputWithoutPlaceholderTakesEveryPass) {
    form.OutputName = dir / "all.txt";
    WriteFile(dir / "all.txt", "old\r\n");
    host.answers = {{"07", "09", true}};
    ASSERT_TRUE(Press());
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(ReadFile(dir / "all.txt"), "r07\r\nr08\r\nr09\r\n");
    EXPECT_EQ(host.runLog[9], "抽出ファイル名：" + dir / "all.txt");
}

TEST_F(SeriesTest, RefusedAnswersAskAgainAndClosingEnds) {
    host.answers = {{"1", "12", false}, {"ab", "", false}};
    ASSERT_TRUE(Press());
    EXPECT_EQ(host.dialogs, 2);  // the second showing has no answer left: closed
    EXPECT_EQ(host.messages.front(), "** 左右の文字長さが異なります。");
    EXPECT_EQ(host.progressTexts, std::vector<std::string>{"ab"});
}

TEST_F(SeriesTest, EmptyLeftWithTheBoxProcessesNothing) {
    host.answers = {{"", "", true}};
    ASSERT_TRUE(Press());
    EXPECT_TRUE(host.runLog.empty());
    EXPECT_EQ(Summary().totalOutputCount, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SeriesTest, CancelEndsTheSeries) {
    host.answers = {{"07", "09", false}};
    host.onShowProgress = [&] { state.CancelFlag = true; };
    ASSERT_TRUE(Press());
    EXPECT_EQ(host.progressTexts, std::vector<std::string>{"07"});
    EXPECT_EQ(host.dialogs, 1);
}

TEST_F(SeriesTest, EachPressStartsTheSeriesAfresh) {
    host.answers = {{"07", "", true}};
    ASSERT_TRUE(Press());
    host.answers = {{"08", "", true}};
    ASSERT_TRUE(Press());
    EXPECT_EQ(host.dialogs, 2);
    EXPECT_EQ(host.progressTexts, (std::vector<std::string>{"07", "08"}));
}

}  // namespace
}  // namespace rivex
