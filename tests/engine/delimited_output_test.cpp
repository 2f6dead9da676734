// Output as CSV and TSV, trimmed and converted: what a spreadsheet is handed.
#include <gtest/gtest.h>

#include "engine/codepage.h"
#include "tests/support/run_fixture.h"

namespace rivex {
namespace {

using testing::Lines;
using testing::ReadFile;
using testing::RunTest;
using testing::WriteFile;

class DelimitedTest : public RunTest {
  protected:
    void Form(OutputFormat format, bool trim = false,
              OutputEncoding encoding = OutputEncoding::AsData) {
        form.Output.Format = format;
        form.Output.Trim = trim;
        form.Output.Encoding = encoding;
    }
};

// Each field and repetition is a column, also where a short record leaves it empty; a value
// with a delimiter, a quote or a line end is quoted, its quotes doubled; TSV has blanks for
// them instead. The header names the columns.
TEST_F(DelimitedTest, ColumnsQuotingAndHeader) {
    form.LineRules = LineRuleChoice::Lf;
    Source("a,b\"c\rdefgh\n12\n");
    Fields({{"1", "3", "", ""}, {"4", "5", "6", "6"}, {"9", "9", "", ""}});
    form.FieldNames = {"", "p,\"r"};
    Form(OutputFormat::Csv);
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(),
              "1-3,\"p,\"\"r_1\",\"p,\"\"r_2\",9-9\n\"a,b\",\"\"\"c\",\"\rd\",f\n12,,,\n");
    Form(OutputFormat::Tsv);
    form.Output.Header = false;
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "a,b\t\"c\t d\tf\n12\t\t\t\n");
    form.FieldMode = FieldModes::WholeRecord;
    form.Output.Header = true;
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "1-*\na,b\"c defgh\n12\n");
}

// Half- and full-width blanks go from both ends, found character by character: a trail byte
// 0x81 followed by 0x40 is no full-width blank. A value of blanks only is empty; digits stay
// text.
TEST_F(DelimitedTest, TrimmingByCharacters) {
    const std::string wide = "\x81\x40";
    Source(Lines({wide + " 092 " + wide + "|" + "\x88\x81\x40" + "  |" + wide + "  ",
                  "  " + wide + "x y" + wide}));
    Fields({{"1", "9", "", ""}, {"10", "15", "", ""}, {"16", "19", "", ""}});
    Form(OutputFormat::Csv, true);
    form.Output.Header = false;
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"092,|\x88\x81\x40,|", "x y,,"}));

    form.Encoding = CodePage::Utf8;
    Source(
        "\xE3\x80\x80 a\xE3\x80\x80"
        "b \xE3\x80\x80\n");
    form.FieldMode = FieldModes::WholeRecord;
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(),
              "a\xE3\x80\x80"
              "b\n");
}

// Converted output: a field that cuts a character, at either end, and a character that the
// output's code page lacks each become the stand-in and are counted and told.
TEST_F(DelimitedTest, ConversionCountsWhatDidNotConvert) {
    Source(Lines({"01\x93\x8c\x8b\x9e", "02\x91\xe5"}));  // 東京, 大
    Fields({{"1", "2", "", ""}, {"4", "5", "", ""}, {"3", "6", "", ""}});
    form.FieldNames = {"番号"};
    Form(OutputFormat::Csv, false, OutputEncoding::Utf8);
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(),
              Lines({"番号,4-5,3-6", "01,\xEF\xBF\xBD\xEF\xBF\xBD,東京", "02,\xEF\xBF\xBD,大"}));
    EXPECT_EQ(Summary().unconverted, 3);
    EXPECT_EQ(LogLine(4), " 変換できない文字：3");
    // Shift-JIS chosen for Shift-JIS data is held to as well.
    Form(OutputFormat::Fixed, false, OutputEncoding::Cp932);
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"01\x81\xAC\x81\xAC\x93\x8c\x8b\x9e", "02\x81\xAC\x91\xe5"}));
    EXPECT_EQ(Summary().unconverted, 3);

    form.Encoding = CodePage::Utf8;
    Source(
        "a\xF0\x9F\x98\x80"
        "b\xE6\x9D\xB1\n");
    form.FieldMode = FieldModes::WholeRecord;
    Form(OutputFormat::Fixed, false, OutputEncoding::Cp932);
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(),
              "a\x81\xAC"
              "b\x93\x8c\n");
    EXPECT_EQ(Summary().unconverted, 1);
}

// A byte order mark and a header row open each output a pass begins, not one it appends to.
TEST_F(DelimitedTest, SeriesHeadersAndMarks) {
    WriteFile(dir / "s1.txt", Lines({"a1"}));
    WriteFile(dir / "s2.txt", Lines({"b2"}));
    form.SourceName = dir / "s@.txt";
    host.answers = {{"1", "2", true}};
    Form(OutputFormat::Csv, false, OutputEncoding::Utf8WithMark);
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "\xEF\xBB\xBF" + Lines({"1-*", "a1", "b2"}));
    form.OutputName = dir / "o@.txt";
    host.answers = {{"1", "2", true}};
    ASSERT_TRUE(Press());
    EXPECT_EQ(ReadFile(dir / "o2.txt"), "\xEF\xBB\xBF" + Lines({"1-*", "b2"}));
}

// Values of a record too long to hold stream from its tail: trimmed, quoted and converted as
// those of a short record, characters across the blocks they are read in included.
TEST_F(DelimitedTest, LongRecordsAsShortOnes) {
    std::string body;
    while (body.size() < (17u << 20)) body += "\x93\x8c,\"x";  // 東,"x
    const std::string record = "  " + body + "\x81\x40 ";
    Source(Lines({record, "short"}));
    Form(OutputFormat::Csv, true, OutputEncoding::Utf8);
    form.Output.Header = false;
    ASSERT_TRUE(Press());
    const std::string converted = *Converter("UTF-8", "CP932").Convert(body);
    std::string quoted;
    for (char c : converted) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    EXPECT_TRUE(Output() == Lines({"\"" + quoted + "\"", "short"}));
    EXPECT_EQ(Summary().unconverted, 0);
}

}  // namespace
}  // namespace rivex
