// rivex-batch end to end: standard output, standard error, exit status and output bytes.
#include <gtest/gtest.h>

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

std::string Log(const std::string& source, const std::string& output, const std::string& in,
                const std::string& out) {
    return "元ファイル名　：" + source + "\n抽出ファイル名：" + output + "\n 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：" +
           in + "\n 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：" + out + "\n";
}

struct BatchCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
    std::string outputFile;  // expected bytes of out.txt; "-" when it must not exist
};

void PrintTo(const BatchCase& c, std::ostream* os) {
    *os << c.name;
}

class BatchTest : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BatchTest, Contract) {
    TempDir dir;
    WriteFile(dir / "in.txt", "A01x\r\nB02y\r\nC03\x95\x5C\r\nD04z");
    WriteFile(dir / "file", "");
    const BatchCase& c = GetParam();
    const Result r = RunBatch(dir, c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    if (c.outputFile == "-") {
        EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
    } else {
        EXPECT_EQ(ReadFile(dir / "out.txt"), c.outputFile);
    }
    EXPECT_EQ(ReadFile(dir / "in.txt"), "A01x\r\nB02y\r\nC03\x95\x5C\r\nD04z");
}

const std::vector<std::string> kNames{"--source", "in.txt", "--output", "out.txt"};

std::vector<std::string> With(std::vector<std::string> more) {
    std::vector<std::string> args = kNames;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const BatchCase kCases[] = {
    {"WholeAll", With({"--whole", "--all"}), 0, Log("in.txt", "out.txt", "4", "4"), kDone,
     "A01x\r\nB02y\r\nC03\x95\x5C\r\nD04z\r\n"},
    {"FieldsByCount",
     With({"--fields", "--field", "1", "", "", "", "--field", "4", "*", "", "", "--by-count",
           "--range", "2", "3"}),
     0, Log("in.txt", "out.txt", "4", "2"), kDone,
     "By\r\nC\x95\r\n"},  // "*" stays column 4, the length of the first record written
    {"JapaneseCodeMatchesShiftJis",
     With({"--whole", "--by-code", "--key", "4-5", "--range", "表", ""}), 0,
     Log("in.txt", "out.txt", "4", "1"), kDone, "C03\x95\x5C\r\n"},
    {"OutputLineEndLf", With({"--whole", "--all", "--output-line-end", "lf"}), 0,
     Log("in.txt", "out.txt", "4", "4"), kDone, "A01x\nB02y\nC03\x95\x5C\nD04z\n"},
    {"LfRuleOnCrLfData", With({"--whole", "--all", "--line-end", "lf"}), 0,
     Log("in.txt", "out.txt", "4", "4"), kDone, "A01x\nB02y\nC03\x95\x5C\nD04z\n"},
    {"ExcludeGrouped",
     With({"--whole", "--by-code", "--key", "2-3", "--range", "02", "03", "--exclude", "--order",
           "grouped"}),
     0, Log("in.txt", "out.txt", "4", "2"), kDone, "A01x\r\nD04z\r\n"},
    {"GroupedStops",
     With({"--whole", "--by-code", "--key", "2-3", "--range", "01", "02", "--order", "grouped"}), 0,
     Log("in.txt", "out.txt", "3", "2"), kDone, "A01x\r\nB02y\r\n"},
    {"NoFieldMode", With({"--all"}), 1, "", "** ﾌｨｰﾙﾄﾞ項目の抽出が未指定です。\n", "-"},
    {"NoSource", {"--whole", "--all"}, 1, "", "** 元ファイルの指定がありません。\n", "-"},
    {"NumberMessageOnTwoLines", With({"--whole", "--by-count", "--range", "2", "x"}), 1, "",
     "ｶｳﾝﾄおわりは非数字です。\n  x\n", "-"},
    {"CodeWithoutCp932Form", With({"--whole", "--by-code", "--key", "1", "--range", "한", ""}), 1,
     "", "** ｺｰﾄﾞにｼﾌﾄJISで表せない文字があります。\n", "-"},
    {"Overflow", With({"--whole", "--by-count", "--range", "2147483648", ""}), 2, "",
     "'2147483648' は整数ではありません.\n", "-"},
    {"MissingSource",
     {"--source", "none.txt", "--output", "out.txt", "--whole", "--all"},
     2,
     "",
     "ファイルが見つかりません.\nnone.txt\n",
     "-"},
    {"BlankSource",
     {"--source", "   ", "--output", "out.txt", "--whole", "--all"},
     2,
     "",
     "ファイルが見つかりません.\n",  // no name line: the name is empty once trimmed
     "-"},
    {"SourceIsAFolder",
     {"--source", ".", "--output", "out.txt", "--whole", "--all"},
     2,
     "",
     "I/O エラー (21)\nフォルダです\n.\n",
     "-"},
    {"OutputThroughAFile",
     {"--source", "in.txt", "--output", "file/out.txt", "--whole", "--all"},
     2,
     "元ファイル名　：in.txt\n",
     "不正なファイル名です.\nfile/out.txt\n",
     "-"},
    {"OutputIsTheSource",
     {"--source", "in.txt", "--output", "./in.txt", "--whole", "--all"},
     2,
     "元ファイル名　：in.txt\n",
     "抽出ファイルが元ファイルと同じファイルです.\n./in.txt\n",
     "-"},
    {"FullDisk",
     {"--source", "in.txt", "--output", "/dev/full", "--whole", "--all"},
     2,
     "元ファイル名　：in.txt\n抽出ファイル名：/dev/full\n 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：4\n",
     "I/O エラー (28)\nディスクに空きがありません\n/dev/full\n",
     "-"},
    {"EqualsFormsAndOtherNames",
     With({"--fields", "--field", "1", "3", "", "", "--all", "--line-end=crlf",
           "--output-line-end=source"}),
     0, Log("in.txt", "out.txt", "4", "4"), kDone, "A01\r\nB02\r\nC03\r\nD04\r\n"},
    {"NoExcludeClearsTheBox",
     With({"--whole", "--by-code", "--key", "1", "--range", "A", "B", "--exclude", "--no-exclude"}),
     0, Log("in.txt", "out.txt", "4", "2"), kDone, "A01x\r\nB02y\r\n"},
    {"SeriesAnswersAfterARefusal",
     {"--source", "i@.txt", "--output", "out.txt", "--whole", "--all", "--at", "1", "12", "0",
      "--at", "n", "", "1"},
     0,
     " ---------------------------\n＠相当文字：n\n" + Log("in.txt", "out.txt", "4", "4"),
     "** 左右の文字長さが異なります。\n" + kDone,
     "A01x\r\nB02y\r\nC03\x95\x5C\r\nD04z\r\n"},
    {"English", With({"--whole", "--by-count", "--range", "2", "3", "--lang=en"}), 0,
     "Source file    : in.txt\nOutput file    : out.txt\n Records read   : 4\n"
     " Records written: 2\n",
     "** Finished. Press \"Close\".\n", "B02y\r\nC03\x95\x5C\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Runs, BatchTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A UTF-8 LF file searched by a code typed in Japanese; the quote rule drops a whole
// character.
TEST(BatchEncoding, Utf8CodesMatchUtf8Records) {
    TempDir dir;
    WriteFile(dir / "u8.txt", "A01x\nB02表\nC03表\n");
    const std::vector<std::string> names{"--source",  "u8.txt", "--output", "out.txt",    "--whole",
                                         "--by-code", "--key",  "4-6",      "--encoding", "utf8"};
    std::vector<std::string> args = names;
    args.insert(args.end(), {"--range", "表", ""});
    Result r = RunBatch(dir, args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(ReadFile(dir / "out.txt"), "B02表\nC03表\n");
    args = names;
    args.insert(args.end(), {"--range", "\"表表", ""});  // "表" once the quote rule is applied
    r = RunBatch(dir, args);
    EXPECT_EQ(ReadFile(dir / "out.txt"), "B02表\nC03表\n");
}

// Conditions saved from options run as the options do; options beside the file fill their
// controls, a grid option replacing the file's rows.
TEST(BatchConditions, SavedConditionsRunAsTyped) {
    TempDir dir;
    WriteFile(dir / "in.txt", "A01x\r\nB02y\r\nC03z\r\n");
    const std::vector<std::string> typed{"--source",   "in.txt",  "--output", "out.txt", "--fields",
                                         "--field",    "1",       "2",        "",        "",
                                         "--by-count", "--range", "2",        "3"};
    std::vector<std::string> save = typed;
    save.insert(save.end(), {"--save-conditions", "c.rivex.json"});
    Result r = RunBatch(dir, save);
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
    const std::string saved = ReadFile(dir / "c.rivex.json");

    r = RunBatch(dir, typed);
    const std::string asTyped = ReadFile(dir / "out.txt");
    EXPECT_EQ(asTyped, "B0\r\nC0\r\n");
    const Result loaded = RunBatch(dir, {"--conditions", "c.rivex.json"});
    EXPECT_EQ(loaded.status, 0);
    EXPECT_EQ(loaded.out, r.out);
    EXPECT_EQ(ReadFile(dir / "out.txt"), asTyped);

    RunBatch(dir, {"--conditions", "c.rivex.json", "--range", "1", "1"});
    EXPECT_EQ(ReadFile(dir / "out.txt"), "A0\r\n");
    RunBatch(dir, {"--conditions", "c.rivex.json", "--save-conditions", "c2.rivex.json"});
    EXPECT_EQ(ReadFile(dir / "c2.rivex.json"), saved);

    WriteFile(dir / "broken.rivex.json", saved.substr(0, saved.size() / 2));
    r = RunBatch(dir, {"--conditions", "broken.rivex.json"});
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("** 抽出条件ファイルの "), std::string::npos);
}

// A series saved once with its answers runs from cron, whose current folder is another: the
// names are found from the conditions file's folder, and the answers come with the file.
TEST(BatchConditions, SavedSeriesRunsFromAnyFolder) {
    TempDir dir;
    const Result r = testing::RunScript(dir, R"sh(
mkdir data jobs; printf 'a\r\n' > data/in1.txt; printf 'b\r\n' > data/in2.txt
"$RIVEX" --source data/in@.txt --output out/sel.txt --whole --all --at 1 2 1 \
  --save-conditions jobs/monthly.rivex.json || exit 1
grep -q '"sourceFile": "../data/in@.txt"' jobs/monthly.rivex.json || exit 2
jobs=$PWD/jobs; cd / && "$RIVEX" --conditions "$jobs/monthly.rivex.json" > /dev/null
)sh");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir / "out/sel.txt"), "a\r\nb\r\n");
}

TEST(BatchUsage, UnusableOptionsExit64) {
    TempDir dir;
    const std::vector<std::vector<std::string>> calls{
        {"--bogus"},
        {"--field", "1", "2"},
        {"--order", "sorted"},
        {"--line-end", "crcr"},
        {"--source", "in@.txt", "--output", "o", "--whole", "--all"},
        {"--output-line-end", "cr"},
        {"--encoding", "euc"},
        {"--format", "xlsx"},
        {"--output-encoding", "latin1"},
        {"--field-name", "a", "--field", "1", "2", "", ""},
        {"--lang", "fr"},
        {"--at", "1", "2", "yes"},
        {"--source"},
        {"--range", "A", "--exclude"},
        {"--conditions", "missing.rivex.json"},
        {"--save-conditions"}};
    for (const auto& args : calls) {
        const Result r = RunBatch(dir, args);
        EXPECT_EQ(r.status, 64) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: rivex-batch"), std::string::npos);
    }
    const std::string help = RunBatch(dir, {"--help"}).out;
    EXPECT_EQ(help.rfind("usage: rivex-batch", 0), 0u);
    EXPECT_NE(help.find("\n  --output-line-end source|crlf|lf "), std::string::npos);
    EXPECT_EQ(RunBatch(dir, {"--version"}).out, "rivex-batch " RIVEX_VERSION "\n");
}

}  // namespace
}  // namespace rivex
