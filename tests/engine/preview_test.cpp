#include "engine/preview.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/extract.h"
#include "engine/platform_error.h"
#include "engine/record_pager.h"
#include "engine/record_reader.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::FakeHost;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Records of varying length, with Shift-JIS characters, CR LF ended, and a record with a
// lone LF inside and one with a lone CR at the end of the file.
std::string MixedRecords(int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        bytes += std::to_string(i % 7) + "K" + std::string(static_cast<std::size_t>(i % 13), 'x');
        bytes += i % 5 == 0 ? "\x82\xa0\x82\xa2" : "ab";
        bytes += i % 97 == 0 ? "\n-\r\n" : "\r\n";
    }
    return bytes + "tail\r";
}

struct PreviewCase {
    const char* name;
    ExtractionRequest form;
};

ExtractionRequest Delimited(ExtractionRequest form) {
    form.Output = {OutputFormat::Csv, true, OutputEncoding::Utf8, true};
    return form;
}

ExtractionRequest Form(std::vector<std::array<std::string, 4>> fields, bool byCode,
                       std::string keys, std::vector<std::array<std::string, 2>> rows) {
    ExtractionRequest form;
    form.FieldMode = fields.empty() ? FieldModes::WholeRecord : FieldModes::ListedFields;
    form.FieldRows = std::move(fields);
    form.SelectMode = byCode         ? SelectModes::ByCode
                      : rows.empty() ? SelectModes::AllRecords
                                     : SelectModes::ByCount;
    form.KeyPositions = std::move(keys);
    form.SelectionRows = std::move(rows);
    return form;
}

class PreviewMatchesRun : public ::testing::TestWithParam<PreviewCase> {};

// What the preview shows is what a run writes, up to the preview's limits.
TEST_P(PreviewMatchesRun, SameRecords) {
    TempDir dir;
    WriteFile(dir / "in.txt", MixedRecords(60));
    ExtractionRequest form = GetParam().form;
    form.SourceName = dir / "in.txt";
    const OutputPreview preview = PreviewOutput(form, "");
    ASSERT_FALSE(preview.refusal);
    form.OutputName = dir / "out.txt";
    EngineState state;
    FakeHost host;
    ASSERT_TRUE(std::holds_alternative<RunSummary>(Extract(form, state, host)));
    std::string shown = preview.header.empty() ? "" : preview.header + std::string(preview.lineEnd);
    for (const std::string& record : preview.records)
        shown += record + std::string(preview.lineEnd);
    EXPECT_EQ(shown, ReadFile(dir / "out.txt"));
    EXPECT_EQ(preview.sourceRecords, state.run.SourceCount);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, PreviewMatchesRun,
    ::testing::Values(
        PreviewCase{"Whole", Form({}, false, "", {})},
        PreviewCase{
            "FieldsRepeatsAndStar",
            Form({{"3", "4", "", ""}, {"1", "1", "6", "12"}, {"*", "", "", ""}}, false, "", {})},
        PreviewCase{"Counts", Form({}, false, "", {{"5", "9"}, {"40", "*"}})},
        PreviewCase{"CodesTwoSegments",
                    Form({{"2", "5", "", ""}}, true, "1,3-4", {{"1Kx", "3Kx"}})},
        PreviewCase{"CsvTrimmedUtf8",
                    Delimited(Form({{"3", "4", "", ""}, {"1", "2", "6", "12"}}, false, "", {}))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Preview, LimitsAndLineEnds) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 150; ++i) bytes += std::string(5000, 'a') + "\n";
    WriteFile(dir / "in@.txt", bytes);
    ExtractionRequest form = Form({}, false, "", {});
    form.SourceName = dir / "in@.txt";
    const OutputPreview preview = PreviewOutput(form, "@");
    ASSERT_EQ(preview.records.size(), OutputPreview::kRecords);
    EXPECT_EQ(preview.records[0].size(), OutputPreview::kRecordBytes);
    EXPECT_EQ(preview.lineEnd, "\n");  // as the LF source was read
    form.OutputLineEnds = OutputLineEnd::CrLf;
    EXPECT_EQ(PreviewOutput(form, "@").lineEnd, "\r\n");
    EXPECT_THROW(PreviewOutput(form, "none"), PlatformError);
}

// A refusal reads nothing and keeps what was compiled before it, for drawing.
TEST(Preview, RefusalKeepsEarlierConditions) {
    ExtractionRequest form = Form({{"3", "4", "", ""}}, true, "2-3", {});
    form.SourceName = "/nonexistent/in.txt";
    const OutputPreview preview = PreviewOutput(form, "");
    ASSERT_TRUE(preview.refusal);
    EXPECT_EQ(preview.refusal->message, Message{Phrase::CodeMissing});
    ASSERT_EQ(preview.conditions.FieldItems.size(), 1u);
    EXPECT_EQ(preview.conditions.KeySegments.size(), 1u);
}

// A number beyond the 32-bit range is a refusal, not an error: the error box's text and,
// below it, the item and the grid row it was typed in.
TEST(Preview, NumberTooLargeNamesItsCell) {
    ExtractionRequest form = Form({{"3", "4", "", ""}}, true, "2-99999999999", {});
    form.SourceName = "/nonexistent/in.txt";
    const auto refusal = [&form] {
        return Say(Language::Japanese, PreviewOutput(form, "").refusal.value().message);
    };
    EXPECT_EQ(refusal(), "'99999999999' は整数ではありません.\r\n  ｷｰ右位置の指定");
    form = Form({{"3", "4", "", ""}, {}, {"5", "6", "", "4294967296"}}, false, "", {{"1", ""}});
    form.SourceName = "/nonexistent/in.txt";
    EXPECT_EQ(refusal(), "'4294967296' は整数ではありません.\r\n  ﾌｨｰﾙﾄﾞﾗｽﾄ左位置 (3)");
    form = Form({}, false, "", {{"1", "2"}, {"3", "2147483648"}});
    form.SourceName = "/nonexistent/in.txt";
    EXPECT_EQ(refusal(), "'2147483648' は整数ではありません.\r\n  ｶｳﾝﾄおわり (2)");
}

TEST(Preview, ScanStopsAtItsLimit) {
    TempDir dir;
    {
        std::string chunk;
        for (int i = 0; i < 1024; ++i) chunk += std::string(1023, 'b') + "\n";
        std::string bytes;
        for (int i = 0; i < 65; ++i) bytes += chunk;
        WriteFile(dir / "in.txt", bytes);
    }
    ExtractionRequest form = Form({}, true, "1", {{"a", ""}});
    form.SourceName = dir / "in.txt";
    const OutputPreview preview = PreviewOutput(form, "");
    EXPECT_TRUE(preview.records.empty());
    EXPECT_TRUE(preview.scanCut);
    EXPECT_EQ(preview.sourceRecords, 64 * 1024);
}

// Records found by number match a whole read of the file, wherever the reading starts.
TEST(RecordPager, RecordsByNumber) {
    TempDir dir;
    const std::string bytes = MixedRecords(5000);
    WriteFile(dir / "in.txt", bytes);
    for (const LineRule rule : {LineRule::Cr, LineRule::Lf}) {
        MemorySource memory(bytes);
        RecordReader reader(memory, rule);
        std::vector<std::string> all;
        while (!reader.AtEnd()) all.emplace_back(reader.Next());

        RecordPager pager(dir / "in.txt",
                          rule == LineRule::Cr ? LineRuleChoice::Auto : LineRuleChoice::Lf, 8);
        EXPECT_FALSE(pager.Opened());
        pager.Records(1, 1);
        EXPECT_EQ(pager.Rule(), rule);
        EXPECT_FALSE(pager.CountKnown());
        for (const std::int64_t first :
             {3000L, 1L, 1023L, 1024L, 1025L, std::ssize(all) - 1, 2049L}) {
            const auto records = pager.Records(first, 5);
            ASSERT_FALSE(records.empty());
            EXPECT_EQ(records.front().number, first);
            for (const auto& record : records) {
                const std::string& whole = all.at(static_cast<std::size_t>(record.number - 1));
                EXPECT_EQ(record.head, whole.substr(0, 8)) << record.number;
                EXPECT_EQ(record.length, whole.size()) << record.number;
            }
        }
        EXPECT_TRUE(pager.CountKnown());
        EXPECT_EQ(pager.RecordCount(), std::ssize(all));
        EXPECT_TRUE(pager.Records(std::ssize(all) + 1, 5).empty());
    }
    // A pipe is refused before a read, which would wait for a writer.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    RecordPager pipe(dir / "pipe", LineRuleChoice::Auto, 8);
    EXPECT_THROW(pipe.Records(1, 1), PlatformError);
}

// A 0x1A before the end of the file is where the records end; found once read up to it.
TEST(RecordPager, EndMark) {
    TempDir dir;
    const struct {
        std::string bytes;
        std::optional<std::uint64_t> mark;
    } rows[] = {
        {"ab\r\ncd\r\n", std::nullopt},
        {"ab\r\ncd", std::nullopt},
        {"ab\r\n\x1a", 4},  // the usual last byte of an old file
        {"ab\r\nc\x1a\r\nzz\r\n", 5},
        {"\x1a"
         "ab\r\n",
         0},
    };
    for (const auto& row : rows) {
        WriteFile(dir / "in.txt", row.bytes);
        RecordPager pager(dir / "in.txt", LineRuleChoice::Auto, 8);
        EXPECT_EQ(pager.EndMark(), std::nullopt);
        pager.Records(1, 10);
        EXPECT_EQ(pager.EndMark(), row.mark) << row.bytes;
    }
}

// A file's first bytes against the code page chosen for it.
TEST(OtherCodePage, FromTheFirstBytes) {
    const std::string utf8 = "13\xE6\x9D\xB1\xE4\xBA\xAC";  // "13東京"
    const std::string sjis = "13\x93\x8C\x8B\x9E";          // the same in code page 932
    const struct {
        std::string head;
        CodePage chosen;
        std::optional<CodePage> other;
    } rows[] = {
        {"0123", CodePage::Cp932, std::nullopt},
        {"0123", CodePage::Utf8, std::nullopt},
        {utf8, CodePage::Cp932, CodePage::Utf8},
        {utf8, CodePage::Utf8, std::nullopt},
        {utf8.substr(0, utf8.size() - 1), CodePage::Cp932, CodePage::Utf8},  // cut by the read
        {sjis, CodePage::Utf8, CodePage::Cp932},
        {sjis, CodePage::Cp932, std::nullopt},
        {sjis.substr(0, sjis.size() - 1), CodePage::Utf8, CodePage::Cp932},
        {"\xA0\xFF\xFF", CodePage::Utf8, std::nullopt},  // neither
    };
    for (const auto& row : rows) {
        EXPECT_EQ(OtherCodePage(row.head, row.chosen), row.other)
            << row.head << " " << int(row.chosen);
    }
}

}  // namespace
}  // namespace rivex
