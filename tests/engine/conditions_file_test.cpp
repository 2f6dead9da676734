// The conditions file: what is saved loads back to the same form and the same bytes; a file
// that is not one is refused with a message that says what and where.
#include "engine/conditions_file.h"

#include <gtest/gtest.h>

namespace rivex {
namespace {

ExtractionRequest Typed() {
    ExtractionRequest form;
    form.SourceName = " /data/表@.txt";
    form.OutputName = "/out/sel.txt";
    form.KeyPositions = "4-5, 10";
    form.FieldRows = {{"1", "*", "", ""}, {"", "", "", ""}, {"11", "19", "20", "83"}};
    form.SelectionRows = {{"\"A ", "表\""}, {"", ""}};
    form.FieldMode = FieldModes::ListedFields;
    form.SelectMode = SelectModes::ByCode;
    form.Order = CodeOrder::Grouped;
    form.ExcludeListed = true;
    form.LineRules = LineRuleChoice::Lf;
    form.OutputLineEnds = OutputLineEnd::CrLf;
    form.Encoding = CodePage::Utf8;
    return form;
}

TEST(ConditionsFile, SavedFormLoadsBackToTheSameBytes) {
    const std::string text = ConditionsText(Typed());
    const auto loaded = ReadConditions(text);
    ASSERT_TRUE(std::holds_alternative<ExtractionRequest>(loaded)) << std::get<std::string>(loaded);
    ExtractionRequest expected = Typed();
    expected.SelectionRows.pop_back();  // rows after the last filled one are not kept
    EXPECT_EQ(std::get<ExtractionRequest>(loaded), expected);
    EXPECT_EQ(ConditionsText(std::get<ExtractionRequest>(loaded)), text);

    const auto unchosen =
        ReadConditions(ConditionsText(ExtractionRequest{}));  // as the window starts
    ASSERT_TRUE(std::holds_alternative<ExtractionRequest>(unchosen));
    EXPECT_EQ(std::get<ExtractionRequest>(unchosen), ExtractionRequest{});
}

TEST(ConditionsFile, BrokenFilesAreRefusedWithWhatAndWhere) {
    const std::string good = ConditionsText(Typed());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::pair<std::string, std::string> cases[] = {
        {good.substr(0, 60), "** 抽出条件ファイルの 4 行 "},  // truncated
        {"[1, 2]", "** 抽出条件ファイルではありません。"},
        {replaced("rivex-conditions", "other"), "** 抽出条件ファイルではありません。"},
        {replaced("\"version\": 1", "\"version\": 2"), "** 抽出条件ファイルの版 2 は読めません。"},
        {replaced("\"exclude\": true", "\"exclude\": \"yes\""),
         "** 抽出条件ファイルの「exclude」の形が違います。"},
        {replaced("\"encoding\": \"utf8\"", "\"encoding\": \"euc\""),
         "** 抽出条件ファイルの「encoding」の形が違います。"},
        {replaced("\"11\",", "11,"), "** 抽出条件ファイルの「fields」の形が違います。"},
        {replaced("\"keyPositions\"", "\"keys\""),
         "** 抽出条件ファイルに「keyPositions」がありません。"},
    };
    for (const auto& [text, message] : cases) {
        const auto read = ReadConditions(text);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << message;
        EXPECT_EQ(std::get<std::string>(read).rfind(message, 0), 0u) << std::get<std::string>(read);
    }
}

}  // namespace
}  // namespace rivex
