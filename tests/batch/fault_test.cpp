// Faults end to end through rivex-batch: each checks the message, the exit status, that the
// source is unchanged, and what stays in the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "engine/text_format.h"
#include "tests/support/run_batch.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::ReadFile;
using testing::Result;
using testing::RunBatch;
using testing::TempDir;
using testing::WriteFile;

const std::string kDone = "** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。\n";

std::string CountLines(const std::string& in, const std::string& out) {
    return " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：" + in + "\n 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：" + out + "\n";
}

std::string NamesLog(const std::string& source, const std::string& output) {
    return "元ファイル名　：" + source + "\n抽出ファイル名：" + output + "\n";
}

class FaultTest : public ::testing::Test {
  protected:
    Result Whole(const std::string& source, const std::string& output) {
        return RunBatch(dir, {"--source", source, "--output", output, "--whole", "--all"});
    }
    TempDir dir;
};

TEST_F(FaultTest, FullDiskClosesAndReports) {
    const std::string source(300000, 'x');  // beyond one block of the writer
    WriteFile(dir / "in.txt", source + "\r\nend");
    for (const auto& options : std::vector<std::vector<std::string>>{
             {"--whole", "--all"}, {"--fields", "--field", "1", "3", "", "", "--all"}}) {
        std::vector<std::string> args{"--source", "in.txt", "--output", "/dev/full"};
        args.insert(args.end(), options.begin(), options.end());
        const Result r = RunBatch(dir, args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "I/O エラー (28)\nディスクに空きがありません\n/dev/full\n");
        EXPECT_EQ(r.out.rfind(NamesLog("in.txt", "/dev/full"), 0), 0u);
    }
    EXPECT_EQ(ReadFile(dir / "in.txt"), source + "\r\nend");
}

TEST_F(FaultTest, FolderThatCannotBeCreated) {
    WriteFile(dir / "in.txt", "a\r\n");
    WriteFile(dir / "plain", "keep");
    const Result r = Whole("in.txt", "plain/sub/out.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "不正なファイル名です.\nplain/sub/out.txt\n");
    EXPECT_EQ(ReadFile(dir / "plain"), "keep");
    EXPECT_EQ(ReadFile(dir / "in.txt"), "a\r\n");
}

TEST_F(FaultTest, SourcesThatCannotBeRead) {
    std::filesystem::create_directory(dir / "folder");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"missing.txt", "ファイルが見つかりません.\nmissing.txt\n"},
        {"   ", "ファイルが見つかりません.\n"},
        {"folder", "I/O エラー (21)\nフォルダです\nfolder\n"},
        {"nowhere/in.txt", "不正なファイル名です.\nnowhere/in.txt\n"}};
    for (const auto& [source, message] : cases) {
        const Result r = Whole(source, "out.txt");
        EXPECT_EQ(r.status, 2) << source;
        EXPECT_EQ(r.err, message) << source;
        EXPECT_EQ(r.out, "") << source;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.txt")) << source;
    }
}

TEST_F(FaultTest, OutputThatIsTheSource) {
    const std::string bytes = "keep\r\nthis\r\n";
    WriteFile(dir / "in1.txt", bytes);
    std::filesystem::create_symlink(dir / "in1.txt", dir / "link.txt");
    const std::string refused = "抽出ファイルが元ファイルと同じファイルです.\n";
    for (const std::string& output :
         std::vector<std::string>{"in1.txt", "./in1.txt", "link.txt", dir / "in1.txt"}) {
        const Result r = Whole("in1.txt", output);
        EXPECT_EQ(r.status, 2) << output;
        EXPECT_EQ(r.err, refused + output + "\n") << output;
    }
    // A series whose one output file is one of its sources is refused before any pass.
    WriteFile(dir / "in2.txt", "two\r\n");
    const Result r = RunBatch(dir, {"--source", "in@.txt", "--output", "in1.txt", "--whole",
                                    "--all", "--at", "2", "", "0", "--at", "1", "", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "** 抽出ﾌｧｲﾙが＠の元ﾌｧｲﾙのひとつと同じ名前です。\n");
    EXPECT_EQ(ReadFile(dir / "in1.txt"), bytes);
    EXPECT_EQ(ReadFile(dir / "in2.txt"), "two\r\n");
    EXPECT_EQ(std::filesystem::read_symlink(dir / "link.txt"), dir / "in1.txt");
}

TEST_F(FaultTest, OneLongRecordWithoutLineEnd) {
    const std::string record(200 << 20, 'r');
    WriteFile(dir / "in.txt", record);
    const Result r = Whole("in.txt", "out.txt");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, NamesLog("in.txt", "out.txt") + CountLines("1", "1"));
    const std::string out = ReadFile(dir / "out.txt");
    EXPECT_EQ(out.size(), record.size() + 2);
    EXPECT_TRUE(out == record + "\r\n");
    EXPECT_EQ(std::filesystem::file_size(dir / "in.txt"), record.size());
}

struct OddCase {
    const char* name;
    std::string source;
    std::string output;
    std::string records;
};

void PrintTo(const OddCase& c, std::ostream* os) {
    *os << c.name;
}

class OddSourceTest : public ::testing::TestWithParam<OddCase> {};

// Random bytes without 0x1A, so that every block of the reader holds some.
std::string RandomBytes(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() % 256);
        if (c == '\x1A') c = '\r';
    }
    return bytes;
}

// A plain reading of the CR record rules, for a source without 0x1A.
OddCase ReferenceCopy(const char* name, const std::string& bytes) {
    std::string out;
    std::int64_t records = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++records) {
        const std::size_t cr = bytes.find('\r', pos);
        if (cr == std::string::npos) {
            out += bytes.substr(pos) + "\r\n";
            pos = bytes.size();
        } else {
            out += bytes.substr(pos, cr - pos) + "\r\n";
            pos = cr + 1 + (cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? 1 : 0);
        }
    }
    return {name, bytes, out, CountText(records)};
}

TEST_P(OddSourceTest, CopiedByTheRules) {
    TempDir dir;
    const OddCase& c = GetParam();
    WriteFile(dir / "in.txt", c.source);
    // Random bytes hold more lone LFs than CR LFs: by the CR rules on purpose.
    const Result r = RunBatch(
        dir, {"--source", "in.txt", "--output", "out.txt", "--whole", "--all", "--line-end", "cr"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, kDone);
    EXPECT_EQ(r.out, NamesLog("in.txt", "out.txt") + CountLines(c.records, c.records));
    EXPECT_TRUE(ReadFile(dir / "out.txt") == c.output) << c.name;
    EXPECT_TRUE(ReadFile(dir / "in.txt") == c.source) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, OddSourceTest,
    ::testing::Values(OddCase{"OnlyAnEndMark", "\x1A", "", ""},
                      OddCase{"EndMarkInTheMiddle",
                              "ab\r\ncd\x1A"
                              "ef\r\ngh\r\n",
                              "ab\r\ncd\r\n", "2"},
                      OddCase{"NulBytes", std::string("a\0b\r\n\0\r\n", 8),
                              std::string("a\0b\r\n\0\r\n", 8), "2"},
                      OddCase{"LoneCrAtTheEnd", "ab\r\ncd\r", "ab\r\ncd\r\n", "2"},
                      OddCase{"CrCrLf", "ab\r\r\ncd\r\n", "ab\r\n\r\ncd\r\n", "3"},
                      ReferenceCopy("RandomBinary", RandomBytes(1 << 20)),
                      ReferenceCopy("RandomLines", RandomBytes(3 << 20).replace(100, 1, "\r\n"))),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultTest, SeriesWithAMissingFile) {
    for (int n = 1; n <= 47; ++n) {
        if (n == 23) continue;
        char name[16];
        std::snprintf(name, sizeof name, "d%02d.txt", n);
        WriteFile(dir / name, std::string("record ") + name + "\r\n");
    }
    const Result r = RunBatch(dir, {"--source", "d@.txt", "--output", "out/o@.txt", "--whole",
                                    "--all", "--at", "01", "47", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "ファイルが見つかりません.\nd23.txt\n");  // which of the 47
    std::string log;
    for (int n = 1; n <= 22; ++n) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02d", n);
        const std::string text(digits);
        const std::string source = "d" + text + ".txt";
        const std::string output = "out/o" + text + ".txt";
        log.append(" ---------------------------\n＠相当文字：").append(text).append("\n");
        log.append(NamesLog(source, output)).append(CountLines("1", "1"));
        EXPECT_EQ(ReadFile(dir / output), "record " + source + "\r\n");
    }
    log += " ---------------------------\n＠相当文字：23\n";
    EXPECT_EQ(r.out, log);
    EXPECT_FALSE(std::filesystem::exists(dir / "out/o23.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out/o24.txt"));
}

}  // namespace
}  // namespace rivex
