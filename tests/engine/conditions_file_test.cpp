// The conditions file: what is saved loads back to the same form and the same bytes; a file
// that is not one is refused with a message that says what and where.
#include "engine/conditions_file.h"

#include <gtest/gtest.h>

namespace rivex {
namespace {

FormInput Typed() {
    FormInput form;
    form.Edit1 = " /data/表@.txt";
    form.Edit2 = "/out/sel.txt";
    form.Edit3 = "4-5, 10";
    form.StringGrid1 = {{"1", "*", "", ""}, {"", "", "", ""}, {"11", "19", "20", "83"}};
    form.StringGrid2 = {{"\"A ", "表\""}, {"", ""}};
    form.RadioButton7 = true;
    form.RadioButton2 = true;
    form.RadioButton4 = true;
    form.CheckBox1 = true;
    form.ComboBox1 = LineRuleChoice::Lf;
    form.ComboBox2 = OutputLineEnd::CrLf;
    form.ComboBox3 = CodePage::Utf8;
    return form;
}

TEST(ConditionsFile, SavedFormLoadsBackToTheSameBytes) {
    const std::string text = ConditionsText(Typed());
    const auto loaded = ReadConditions(text);
    ASSERT_TRUE(std::holds_alternative<FormInput>(loaded)) << std::get<std::string>(loaded);
    FormInput expected = Typed();
    expected.StringGrid2.pop_back();  // rows after the last filled one are not kept
    EXPECT_EQ(std::get<FormInput>(loaded), expected);
    EXPECT_EQ(ConditionsText(std::get<FormInput>(loaded)), text);

    const auto unchosen = ReadConditions(ConditionsText(FormInput{}));  // as the window starts
    ASSERT_TRUE(std::holds_alternative<FormInput>(unchosen));
    EXPECT_EQ(std::get<FormInput>(unchosen), FormInput{});
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
