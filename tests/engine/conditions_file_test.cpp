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
    form.FieldNames = {"番号", "", "値"};
    form.Output = {OutputFormat::Tsv, true, OutputEncoding::Utf8WithMark, false};
    return form;
}

TEST(ConditionsFile, SavedFormLoadsBackToTheSameBytes) {
    const std::string text = ConditionsText(Typed());
    const auto loaded = ReadConditions(text);
    ASSERT_TRUE(std::holds_alternative<ExtractionRequest>(loaded))
        << Say(Language::Japanese, std::get<Message>(loaded));
    ExtractionRequest expected = Typed();
    expected.SelectionRows.pop_back();  // rows after the last filled one are not kept
    EXPECT_EQ(std::get<ExtractionRequest>(loaded), expected);
    EXPECT_EQ(ConditionsText(std::get<ExtractionRequest>(loaded)), text);

    const auto unchosen =
        ReadConditions(ConditionsText(ExtractionRequest{}));  // as the window starts
    ASSERT_TRUE(std::holds_alternative<ExtractionRequest>(unchosen));
    EXPECT_EQ(std::get<ExtractionRequest>(unchosen), ExtractionRequest{});

    // A file saved before the output's form and the columns' names could be chosen.
    std::string older = ConditionsText(ExtractionRequest{});
    older.erase(older.find(",\n  \"outputFormat\""), std::string::npos);
    const auto loadedOlder = ReadConditions(older + "\n}\n");
    ASSERT_TRUE(std::holds_alternative<ExtractionRequest>(loadedOlder));
    EXPECT_EQ(std::get<ExtractionRequest>(loadedOlder), ExtractionRequest{});
}

TEST(ConditionsFile, BrokenFilesAreRefusedWithWhatAndWhere) {
    const std::string good = ConditionsText(Typed());
    const auto replaced = [&](std::string_view from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    // Two cells of a field row, as the file has them.
    constexpr std::string_view kTwoCells = "\"11\",\n      \"19\"";
    // The refusal, and its first arguments (the line of a JSON error, not its column).
    const std::pair<std::string, Message> cases[] = {
        {good.substr(0, 60), {Phrase::ConditionsJsonAt, {"4"}}},  // truncated
        {"[1, 2]", {Phrase::ConditionsNotConditions}},
        {replaced("rivex-conditions", "other"), {Phrase::ConditionsNotConditions}},
        {replaced("\"version\": 1", "\"version\": 2"), {Phrase::ConditionsVersion, {"2"}}},
        {replaced("\"exclude\": true", "\"exclude\": \"yes\""),
         {Phrase::ConditionsWrongForm, {"exclude"}}},
        {replaced("\"encoding\": \"utf8\"", "\"encoding\": \"euc\""),
         {Phrase::ConditionsWrongForm, {"encoding"}}},
        {replaced("\"11\",", "11,"), {Phrase::ConditionsWrongForm, {"fields"}}},
        // A grid is read as rows of texts until a value of another form: the first fault in
        // reading order is the one named, as for any other member.
        {replaced(kTwoCells, "\"1\\u0000\", 19"), {Phrase::ConditionsBadCharacter, {"fields"}}},
        {replaced(kTwoCells, "19, \"1\\u0000\""), {Phrase::ConditionsWrongForm, {"fields"}}},
        {replaced(kTwoCells, "\"11\", []"), {Phrase::ConditionsWrongForm, {"fields"}}},
        {replaced(kTwoCells, "\"11\", {}"), {Phrase::ConditionsWrongForm, {"fields"}}},
        {replaced(kTwoCells, "\"11\", [\"19\"]"), {Phrase::ConditionsTooDeep}},
        {replaced(kTwoCells, "\"11\", {\"a\": 1}"), {Phrase::ConditionsTooDeep}},
        {replaced("\"ranges\": [", "\"ranges\": \"x\", \"ranges\": ["),
         {Phrase::ConditionsKeyTwice, {"ranges"}}},
        {replaced("\"ranges\": [", "\"ranges\": [], \"ranges\": ["),
         {Phrase::ConditionsKeyTwice, {"ranges"}}},
        {replaced("\"ranges\": [", "\"ranges\": [[1]], \"ranges\": ["),
         {Phrase::ConditionsKeyTwice, {"ranges"}}},
        {replaced("\"tsv\"", "\"xls\""), {Phrase::ConditionsWrongForm, {"outputFormat"}}},
        {replaced("\"番号\"", "1"), {Phrase::ConditionsWrongForm, {"fieldNames"}}},
        {replaced("\"keyPositions\"", "\"keys\""),
         {Phrase::ConditionsKeyMissing, {"keyPositions"}}},
    };
    for (const auto& [text, expected] : cases) {
        const auto read = ReadConditions(text);
        const std::string shown = Say(Language::Japanese, expected);
        ASSERT_TRUE(std::holds_alternative<Message>(read)) << shown;
        const Message& refusal = std::get<Message>(read);
        EXPECT_EQ(refusal.phrase, expected.phrase) << shown;
        ASSERT_GE(refusal.arguments.size(), expected.arguments.size()) << shown;
        EXPECT_TRUE(std::equal(expected.arguments.begin(), expected.arguments.end(),
                               refusal.arguments.begin()))
            << Say(Language::Japanese, refusal);
    }
}

}  // namespace
}  // namespace rivex
