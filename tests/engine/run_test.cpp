#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <thread>

#include "engine/extract.h"
#include "engine/platform_error.h"
#include "engine/record_reader.h"
#include "engine/text_format.h"
#include "tests/support/fake_host.h"
#include "tests/support/run_fixture.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::FakeHost;
using testing::Lines;
using testing::ReadFile;
using testing::RunTest;
using testing::TempDir;
using testing::WriteFile;

// Records "0001" to "00nn", each followed by CR LF.
std::string NumberedRecords(int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        char record[16];
        std::snprintf(record, sizeof record, "%04d\r\n", i);
        bytes += record;
    }
    return bytes;
}

TEST_F(RunTest, WholeRecordsAreCopiedByteForByte) {
    Source("a\nb\r\n\xFF\x81\x40\r\n\r\nlast");
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "a\nb\r\n\xFF\x81\x40\r\n\r\nlast\r\n");
    EXPECT_EQ(host.runLog,
              (std::vector<std::string>{"元ファイル名　：" + form.SourceName,
                                        "抽出ファイル名：" + form.OutputName, " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：4",
                                        " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：4"}));
    EXPECT_EQ(Summary().totalOutputCount, 4);
    EXPECT_EQ(Summary().lastSourceCount, 4);
    EXPECT_EQ(ClockText(Summary().end), " 09:05:07");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.progressTexts, std::vector<std::string>{"-"});
    EXPECT_EQ(host.released, 1);
}

// Whole records of a regular file are copied ahead by the kernel; the copy must be cut back
// exactly where a record does not end in CR LF, also beyond the copier's first chunks.
TEST_F(RunTest, CopyAheadStopsAtTheFirstRecordThatEndsOtherwise) {
    const std::string block = NumberedRecords(9999);  // 59,994 bytes
    std::string source;
    for (int i = 0; i < 300; ++i) source += block;  // about 18 MB
    const std::size_t records = 300 * 9999;
    source +=
        "lone\rcr\r\nmark\x1A"
        "after\r\n";
    Source(source);
    ASSERT_TRUE(Press());
    const std::string expected = source.substr(0, source.size() - 17) + "\r\ncr\r\nmark\r\n";
    const std::string output = Output();
    EXPECT_EQ(output.size(), expected.size());
    EXPECT_TRUE(output == expected);  // no diff of megabytes on failure
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：" + CountText(records + 3));

    Source("a\r\nb\r\nlast");
    form.OutputName = dir / "out.txt";
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "a\r\nb\r\nlast\r\n");
}

// The size a source had when it was opened does not bound what is read of it.
// What was read may not be what the file now holds, whether it grew or shrank under the
// kernel's copy: the run ends naming the source, and the output keeps whole records.
TEST_F(RunTest, SourceThatChangesDuringTheRun) {
    const std::vector<std::function<void()>> changes{
        [&] { std::ofstream(dir / "in.txt", std::ios::binary | std::ios::app) << "0006\r\n"; },
        [&] { std::filesystem::resize_file(dir / "in.txt", 3000); }};
    for (const auto& change : changes) {
        Source(NumberedRecords(1000));
        host.onShowProgress = change;
        try {
            Press();
            ADD_FAILURE() << "a changed source went unnoticed";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.message(), "元ファイルが読み込み中に変更されました");
            EXPECT_EQ(e.file(), dir / "in.txt");
        }
        const std::string out = Output();
        EXPECT_TRUE(out.empty() || out.ends_with("\r\n")) << out.size();
    }
}

// Only rivex-batch's options give "-" a meaning of their own: here it is a file of that name.
TEST_F(RunTest, DashIsAFileName) {
    Source("a\r\n");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir / "");
    form.OutputName = "-";
    const bool ran = Press();
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(ran);
    EXPECT_EQ(ReadFile(dir / "-"), "a\r\n");
}

// Nothing written into a pipe can be taken back, so the copy never runs ahead into one.
TEST_F(RunTest, WholeRecordsIntoAPipe) {
    Source("a\r\nb\rc");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::string piped;
    {
        std::jthread reader([&] { piped = ReadFile(dir / "pipe"); });
        form.OutputName = dir / "pipe";
        EXPECT_NO_THROW(Press());
    }
    EXPECT_EQ(piped, "a\r\nb\r\nc\r\n");
}

TEST_F(RunTest, CopyAheadAppendsAfterEarlierPasses) {
    WriteFile(dir / "in1.txt", NumberedRecords(3));
    WriteFile(dir / "in2.txt", "x\r\ny");
    form.SourceName = dir / "in@.txt";
    host.answers = {{"1", "2", true}};
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), NumberedRecords(3) + "x\r\ny\r\n");
}

TEST_F(RunTest, EmptySourceGivesEmptyCounts) {
    Source("");
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：");
    EXPECT_EQ(LogLine(3), " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：");
    EXPECT_EQ(Summary().totalOutputCount, 0);
}

TEST_F(RunTest, CountRangesStopAfterTheLastTypedRange) {
    Source(NumberedRecords(60));
    ByCount({{"20", "30"}, {"40", "50"}});
    ASSERT_TRUE(Press());
    std::string expected;
    for (int i = 20; i <= 50; ++i) {
        if (i <= 30 || i >= 40) expected += NumberedRecords(i).substr(6 * (i - 1));
    }
    EXPECT_EQ(Output(), expected);
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：51");
    EXPECT_EQ(LogLine(3), " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：22");
}

// Ranges typed in any order: reading goes on to the end of the one that ends last.
TEST_F(RunTest, CountRangesOutOfOrderStopPastTheLargestEnd) {
    Source(NumberedRecords(60));
    ByCount({{"40", "50"}, {"20", "30"}, {"25", "26"}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：51");
    EXPECT_EQ(LogLine(3), " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：22");  // 20 to 30 and 40 to 50, each once
}

TEST_F(RunTest, OpenEndedCountReadsToTheRealEnd) {
    Source(NumberedRecords(5));
    ByCount({{"4", "*"}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "0004\r\n0005\r\n");
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：5");
}

TEST_F(RunTest, CodesWithGroupedOrderStopPastTheLargestEnd) {
    Source(Lines({"x01a", "x02b", "x05c", "x03d", "x02e"}));
    ByCode("2-3", {{"02", "03"}, {"01", ""}});
    host.grouped = true;
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"x01a", "x02b"}));  // stops at 05, past every range
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：3");
    EXPECT_TRUE(Summary().mayBePartial);
}

TEST_F(RunTest, CodesUnknownOrderReadEverything) {
    Source(Lines({"x01a", "x02b", "x05c", "x03d", "x02e", "x"}));
    ByCode("2-3", {{"02", "03"}, {"02", "02"}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"x02b", "x03d", "x02e"}));  // overlapping ranges write once
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：6");
    EXPECT_FALSE(Summary().mayBePartial);
}

TEST_F(RunTest, ExclusionWritesKeysInNoRangeAndIgnoresGrouping) {
    Source(Lines({"x01a", "x02b", "x05c", "x03d", "x"}));
    ByCode("2-3", {{"02", "03"}});
    host.exclusion = true;
    host.grouped = true;
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"x01a", "x05c", "x"}));
}

TEST_F(RunTest, KeysFromSeveralSegmentsAndShiftJisCodes) {
    // Key = columns 1 and 4-5; a record shorter than the key gives a shorter key.
    Source(
        Lines({"A\x95\x5C"
               "12",
               "Bxx34", "A"}));
    ByCode("1,4-5", {{"A12", "A12"}, {"A", ""}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"A\x95\x5C"
                               "12",
                               "A"}));

    Source(
        Lines({"\x95\x5C"
               "x",
               "ab"}));
    ByCode("1-2", {{"表", ""}});  // typed in UTF-8, matched as Shift-JIS
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"\x95\x5C"
                               "x"}));
}

TEST_F(RunTest, ListedFieldsWithRepeatsAndShortRecords) {
    Source(Lines({"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmno", ""}));
    Fields({{"3", "4", "13", "23"}, {"1", "", "", ""}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"cdmnwxa", "cdmna", ""}));
}

// A last left far past every record, typed for "to the end": the repeats end with the record.
TEST_F(RunTest, RepeatsToAFarLastLeftEndWithTheRecord) {
    Source(Lines({"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmno", ""}));
    Fields({{"3", "4", "13", "99999999"}, {"1", "1", "2", "99999999"}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"cdmnwxabcdefghijklmnopqrstuvwxyz", "cdmnabcdefghijklmno", ""}));
}

// Records longer than the reader's block are held only in part, and still come out whole.
TEST_F(RunTest, RecordsLongerThanABlock) {
    const std::string longer(3 * RecordReader::kDefaultBlockSize + 5, 'L');
    Source(Lines({"k1" + longer, "k2short", "k3" + longer}) + "k4" + longer);
    ByCode("1-2", {{"k1", "k1"}, {"k3", "k4"}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"k1" + longer, "k3" + longer, "k4" + longer}));
    Fields({{"2", "3", "", ""}, {"*", "", "", ""}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({"1LL", "3LL", "4LL"}));

    // Copied ahead whole, up to the first one that ends in a lone CR.
    Source("a" + longer + "\r\n" + "b" + longer + "\r" + "c" + longer + "\r\n" + "d" + longer);
    form.FieldMode = FieldModes::WholeRecord;
    form.SelectMode = SelectModes::AllRecords;
    host.runLog.clear();
    ASSERT_TRUE(Press());
    EXPECT_TRUE(Output() == Lines({"a" + longer, "b" + longer, "c" + longer, "d" + longer}));
    EXPECT_EQ(LogLine(3), " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：4");
}

// Line rules and output line ends, through the copy ahead (all records whole, a regular
// file) and record by record (by count).
TEST_F(RunTest, LineRulesAndOutputLineEnds) {
    std::string lfThenCr;  // an LF file whose first CR stands past the 64 KiB auto looks at
    while (lfThenCr.size() <= kAutoBytes) lfThenCr += "0123456789\n";
    lfThenCr += "y\rz\n";
    struct Case {
        const char* name;
        std::string source;
        LineRuleChoice rule;
        OutputLineEnd out;
        std::string output;
        const char* count;
    };
    const Case cases[] = {
        {"AutoWithACr", "a\nb\r\nc", LineRuleChoice::Auto, OutputLineEnd::AsSource, "a\nb\r\nc\r\n",
         "2"},
        {"AutoLfOnly", "a\nb\n\nc", LineRuleChoice::Auto, OutputLineEnd::AsSource, "a\nb\n\nc\n",
         "4"},
        {"AutoCrLf", "a\r\nb\r\n", LineRuleChoice::Auto, OutputLineEnd::AsSource, "a\r\nb\r\n",
         "2"},
        {"AutoCrPast64KiB", lfThenCr, LineRuleChoice::Auto, OutputLineEnd::AsSource, lfThenCr,
         "5,959"},
        {"LfRuleCrLfOut", "a\r\nb\nc", LineRuleChoice::Lf, OutputLineEnd::CrLf, "a\r\nb\r\nc\r\n",
         "3"},
        {"CrRuleOnLfData", "a\nb\n", LineRuleChoice::Cr, OutputLineEnd::AsSource, "a\nb\n\r\n",
         "1"},
        {"CrRuleLfOut", "a\r\nb\rc", LineRuleChoice::Cr, OutputLineEnd::Lf, "a\nb\nc\n", "3"},
        {"LfMark", "a\nb\x1A\nc\n", LineRuleChoice::Lf, OutputLineEnd::AsSource, "a\nb\n", "2"},
    };
    for (const Case& c : cases) {
        Source(c.source);
        form.LineRules = c.rule;
        form.OutputLineEnds = c.out;
        for (const bool byCount : {false, true}) {
            form.SelectMode = byCount ? SelectModes::ByCount : SelectModes::AllRecords;
            form.SelectionRows = {{"1", "*"}};
            host.runLog.clear();
            ASSERT_TRUE(Press()) << c.name;
            EXPECT_TRUE(Output() == c.output) << c.name << (byCount ? " by count" : " all");
            EXPECT_EQ(LogLine(3), std::string(" 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：") + c.count) << c.name;
        }
    }
}

TEST_F(RunTest, StarIsFixedByTheFirstRecordWritten) {
    Source(Lines({std::string(60, 'a'), std::string(70, 'b'), std::string(40, 'c')}));
    Fields({{"5", "*", "", ""}, {"*", "", "", ""}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), Lines({std::string(56, 'a') + "a", std::string(56, 'b') + "b",
                               std::string(36, 'c')}));
}

TEST_F(RunTest, BlankFieldTableGivesEmptyLines) {
    Source(Lines({"abc", "def"}));
    Fields({{"", "", "", ""}});
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "\r\n\r\n");
}

TEST_F(RunTest, CancelCountsTheRecordReadButWritesNothing) {
    Source(NumberedRecords(10));
    host.onShowProgress = [&] { state.CancelFlag = true; };
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(LogLine(2), " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：1");
    EXPECT_EQ(LogLine(3), " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunTest, RefusalOpensNothing) {
    Source("x\r\n");
    form.SelectMode.reset();
    ASSERT_FALSE(Press());
    EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
    EXPECT_EQ(std::get<Refusal>(outcome).message, Message{Phrase::SelectModeUnchosen});
    EXPECT_FALSE(host.started);
}

TEST_F(RunTest, PlatformErrorClosesTheFiles) {
    form.SourceName = dir / "missing.txt";
    EXPECT_THROW(Press(), PlatformError);
    EXPECT_TRUE(host.runLog.empty());
    EXPECT_EQ(host.released, 0);

    Source("x\r\n");
    form.SourceName = dir / "in.txt";
    form.OutputName = "/dev/full";
    EXPECT_THROW(Press(), PlatformError);
    EXPECT_EQ(host.released, 1);
    EXPECT_EQ(host.runLog.size(), 3u);  // the names and the source count
}

TEST_F(RunTest, OutputNamedAsTheSourceLeavesItUntouched) {
    Source("keep\r\n");
    form.OutputName = form.SourceName;
    EXPECT_THROW(Press(), PlatformError);
    EXPECT_EQ(ReadFile(dir / "in.txt"), "keep\r\n");
}

TEST_F(RunTest, SecondPressCreatesTheOutputAnew) {
    Source("a\r\n");
    ASSERT_TRUE(Press());
    host.runLog.clear();  // as the window does at every press
    ASSERT_TRUE(Press());
    EXPECT_EQ(Output(), "a\r\n");
    EXPECT_EQ(host.runLog.size(), 4u);
}

}  // namespace
}  // namespace rivex
