#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/output_file.h"
#include "engine/platform_error.h"
#include "engine/read_ahead.h"
#include "engine/record_reader.h"
#include "engine/record_writer.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct Reading {
    std::vector<std::string> records;
    std::string ends;  // per record: 'C' ended in CR LF, 'L' in LF alone, '-' otherwise
};

// Every record whole: a record longer than `keep` is put together from its first bytes and
// the pieces of its rest.
Reading ReadAll(ByteSource& source, std::size_t blockSize, LineRule rule, std::size_t keep,
                bool ahead = false) {
    RecordReader reader(source, rule, blockSize);
    reader.SetKeep(keep);
    if (ahead) reader.ReadSourceAhead();
    Reading reading;
    while (!reader.AtEnd()) {
        const std::string_view r = reader.Next();
        std::string record(r);
        if (reader.Partial()) {
            EXPECT_LE(r.size(), std::max(keep, blockSize));
            const std::uint64_t length = reader.Rest([&](std::string_view p) { record += p; });
            EXPECT_EQ(length, record.size());
        }
        reading.records.push_back(std::move(record));
        reading.ends += reader.EndedWith("\r\n") ? 'C' : reader.EndedWith("\n") ? 'L' : '-';
    }
    return reading;
}

Reading ReadAll(const std::string& bytes, std::size_t blockSize, LineRule rule = LineRule::Cr,
                std::size_t keep = RecordReader::kKeepAll) {
    MemorySource source(bytes);
    return ReadAll(source, blockSize, rule, keep);
}

struct ReaderCase {
    const char* name;
    LineRule rule;
    std::string bytes;
    std::vector<std::string> records;
    std::string ends = {};  // checked under Lf only: under Cr an LF not yet read is not known
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderTest : public ::testing::TestWithParam<std::tuple<ReaderCase, std::size_t>> {};

TEST_P(ReaderTest, RecordsAtEveryBlockSize) {
    const auto& [c, blockSize] = GetParam();
    // Whole, and longer than a block or two held only in part.
    for (const std::size_t keep : {RecordReader::kKeepAll, blockSize, 2 * blockSize + 1}) {
        const Reading reading = ReadAll(c.bytes, blockSize, c.rule, keep);
        EXPECT_EQ(reading.records, c.records)
            << c.name << " block " << blockSize << " keep " << keep;
        if (c.rule == LineRule::Lf) {
            EXPECT_EQ(reading.ends, c.ends) << c.name;
        }
    }
}

// Records passed over by SkipHeld, a few at a time, are the ones Next would have handed out:
// the rest come after them in order, whatever blocks the line ends fall in.
TEST_P(ReaderTest, SkippedRecordsAtEveryBlockSize) {
    const auto& [c, blockSize] = GetParam();
    for (const std::int64_t most : {1, 2, 5}) {
        MemorySource source(c.bytes);
        RecordReader reader(source, c.rule, blockSize);
        reader.SetKeep(blockSize);
        std::size_t index = 0;
        while (!reader.AtEnd()) {
            index += static_cast<std::size_t>(reader.SkipHeld(most));
            if (reader.AtEnd()) break;
            std::string record(reader.Next());
            if (reader.Partial()) reader.Rest([&](std::string_view p) { record += p; });
            ASSERT_LT(index, c.records.size()) << c.name << " most " << most;
            EXPECT_EQ(record, c.records[index]) << c.name << " most " << most << " #" << index;
            ++index;
        }
        EXPECT_EQ(index, c.records.size()) << c.name << " most " << most;
        EXPECT_EQ(reader.BytesConsumed(),
                  c.bytes.find('\x1A') == std::string::npos ? c.bytes.size() : c.bytes.find('\x1A'))
            << c.name;
    }
}

// What a whole-record copy writes: runs as NextRun takes them, and each record it leaves to
// Next written with `lineEnd`.
std::pair<std::string, std::int64_t> CopiedInRuns(const std::string& bytes, LineRule rule,
                                                  std::size_t blockSize, std::string_view lineEnd) {
    MemorySource source(bytes);
    RecordReader reader(source, rule, blockSize);
    std::string out;
    std::int64_t records = 0;
    while (!reader.AtEnd()) {
        const RecordReader::Run run = reader.NextRun(100, lineEnd);
        if (run.records > 0) {
            out += run.bytes;
            records += run.records;
            continue;
        }
        out += reader.Next();
        out += lineEnd;
        ++records;
    }
    return {out, records};
}

// Records of up to 120 letters that end in CR LF, LF or CR, mostly alike or mixed, so that
// every way of ending meets the end of a block and of the 64 bytes looked at at once.
std::vector<std::string> MixedTexts() {
    std::uint32_t seed = 7;
    const auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 16; };
    std::vector<std::string> texts;
    for (int text = 0; text < 24; ++text) {
        const std::string_view common = text % 4 < 2 ? "\r\n" : "\n";
        std::string bytes;
        while (bytes.size() < 1000) {
            bytes.append(next() % 120, 'a');
            const unsigned end = next() % (text % 2 == 0 ? 3 : 30);
            bytes += end == 0 ? "\r" : end == 1 ? "\n" : end == 2 ? "\r\n" : common;
        }
        texts.push_back(std::move(bytes));
    }
    return texts;
}

// Runs are the records Next reads, each with the line end it had.
TEST(ReaderRuns, AsTheRecordsOneByOne) {
    const std::vector<std::string> texts = MixedTexts();
    for (std::size_t text = 0; text < texts.size(); ++text) {
        const std::string& bytes = texts[text];
        for (const LineRule rule : {LineRule::Cr, LineRule::Lf}) {
            const std::vector<std::string> records = ReadAll(bytes, 4096, rule).records;
            for (const std::string_view lineEnd : {"\r\n", "\n"}) {
                std::string rewritten;
                for (const std::string& record : records)
                    rewritten += record + std::string(lineEnd);
                for (const std::size_t blockSize : {65, 200, 4096}) {
                    const auto [out, count] = CopiedInRuns(bytes, rule, blockSize, lineEnd);
                    EXPECT_EQ(count, static_cast<std::int64_t>(records.size()))
                        << "text " << text << " block " << blockSize;
                    EXPECT_EQ(out, rewritten) << "text " << text << " block " << blockSize;
                }
            }
        }
    }
}

// The records EachHeld hands out, a few at a time between records read by Next, are the
// ones Next would have read, whatever blocks the line ends fall in; once it returns, the last
// one ended as it did.
TEST(ReaderHeld, AsTheRecordsOneByOne) {
    std::size_t held = 0;
    for (const std::string& bytes : MixedTexts()) {
        for (const LineRule rule : {LineRule::Cr, LineRule::Lf}) {
            const Reading expected = ReadAll(bytes, 4096, rule);
            for (const std::size_t blockSize : {65, 200, 4096}) {
                for (const std::size_t most : {1, 3, 1000}) {
                    MemorySource source(bytes);
                    RecordReader reader(source, rule, blockSize);
                    Reading reading;
                    const auto ended = [&reader] {
                        return reader.EndedWith("\r\n") ? 'C' : reader.EndedWith("\n") ? 'L' : '-';
                    };
                    while (!reader.AtEnd()) {
                        reading.records.emplace_back(reader.Next());
                        reading.ends += ended();
                        std::size_t handed = 0;
                        held += static_cast<std::size_t>(reader.EachHeld([&](std::string_view r) {
                            reading.records.emplace_back(r);
                            reading.ends += '.';  // not told until EachHeld returns
                            return ++handed < most;
                        }));
                        if (handed > 0) reading.ends.back() = ended();
                    }
                    const std::string where =
                        "block " + std::to_string(blockSize) + " most " + std::to_string(most);
                    EXPECT_EQ(reading.records, expected.records) << where;
                    if (rule == LineRule::Lf && reading.ends.size() == expected.ends.size()) {
                        std::string told = expected.ends;
                        for (std::size_t i = 0; i < told.size(); ++i) {
                            if (reading.ends[i] == '.') told[i] = '.';
                        }
                        EXPECT_EQ(reading.ends, told) << where;
                    }
                    EXPECT_EQ(reader.BytesConsumed(), bytes.size()) << where;
                }
            }
        }
    }
    EXPECT_GT(held, 1000U);
}

// A large file read ahead on a helper thread gives the records read from memory: records
// that straddle the blocks, longer than the room before a block or than a block, held in part,
// ending each way, and a 0x1A near the end.
TEST(ReaderAhead, AsFromMemory) {
    std::string bytes;
    const std::size_t lengths[] = {0, 1, 63, 64, 65, 100, 4095, 70000, 300000};
    for (std::size_t i = 0; bytes.size() < 3 * FileSource::kAheadFrom / 2; ++i) {
        bytes.append(lengths[i % std::size(lengths)] + i % 7, static_cast<char>('a' + i % 26));
        bytes += i % 5 == 0 ? "\r" : i % 5 == 1 ? "\n" : "\r\n";
    }
    bytes[bytes.size() - 1000] = '\x1A';
    TempDir dir;
    const std::string path = dir / "big.txt";
    WriteFile(path, bytes);
    constexpr std::size_t kBlock = RecordReader::kDefaultBlockSize;
    for (const LineRule rule : {LineRule::Cr, LineRule::Lf}) {
        for (const std::size_t keep : {RecordReader::kKeepAll, kBlock}) {
            FileSource file(path);
            file.Peek(kAutoBytes);  // handed out by Read before the blocks read ahead
            const Reading ahead = ReadAll(file, kBlock, rule, keep, true);
            EXPECT_TRUE(file.ReadsAhead());
            MemorySource memory(bytes);
            const Reading expected = ReadAll(memory, kBlock, rule, keep);
            EXPECT_EQ(ahead.records, expected.records) << "keep " << keep;
            EXPECT_EQ(ahead.ends, expected.ends) << "keep " << keep;
        }
    }
}

// A read that hangs holds no one: taking a block gives up after the wait asked for, and the
// reader is left to end on its own (a pipe no one writes to stands for a stalled file).
TEST(ReaderAhead, HangingReadHoldsNoOne) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    {
        ReadAhead ahead(ends[0], "stalled", 4096, {64, 16}, [](AheadBlock&) {});
        EXPECT_FALSE(ahead.Take(std::chrono::milliseconds(40)).has_value());
    }                                             // returns at once although the read still waits
    ASSERT_EQ(::write(ends[1], "ab\r\n", 4), 4);  // lets the left reader end
    ::close(ends[1]);
    ::close(ends[0]);
}

constexpr LineRule kCr = LineRule::Cr;
constexpr LineRule kLf = LineRule::Lf;

const ReaderCase kReaderCases[] = {
    {"Empty", kCr, "", {}},
    {"CrLf", kCr, "ab\r\ncd\r\n", {"ab", "cd"}},
    {"LastLineWithoutEnd", kCr, "ab\r\ncd", {"ab", "cd"}},
    {"LfIsData", kCr, "ab\ncd\n", {"ab\ncd\n"}},
    {"LoneCr", kCr, "ab\rcd\r", {"ab", "cd"}},
    {"CrCrLf", kCr, "a\r\r\nb", {"a", "", "b"}},
    {"EmptyLines", kCr, "\r\n\r\nx\r\n", {"", "", "x"}},
    {"LfAfterCrOnly", kCr, "a\r\n\nb", {"a", "\nb"}},
    {"MarkMidLine",
     kCr,
     "ab\r\ncd\x1A"
     "ef\r\n",
     {"ab", "cd"}},
    {"MarkAtLineStart",
     kCr,
     "ab\r\n\x1A"
     "cd\r\n",
     {"ab"}},
    {"MarkOnly", kCr, "\x1A", {}},
    {"MarkAfterCr", kCr, "ab\r\x1A\n", {"ab"}},
    {"NulAndHighBytes", kCr, std::string("a\0b\xFF\r\n", 6), {std::string("a\0b\xFF", 4)}},
    {"LongRecord", kCr, std::string(100, 'x') + "\r\ny", {std::string(100, 'x'), "y"}},
    {"LongRecordsEndingEachWay",
     kCr,
     std::string(20, 'a') + "\r\n" + std::string(21, 'b') + "\r" + std::string(9, 'c') + "\x1A" +
         "d",
     {std::string(20, 'a'), std::string(21, 'b'), std::string(9, 'c')}},
    {"LfRecords", kLf, "ab\ncd\n", {"ab", "cd"}, "LL"},
    {"LfCrLfTogether", kLf, "ab\r\ncd\nef", {"ab", "cd", "ef"}, "CL-"},
    {"LfLoneCrIsData", kLf, "a\rb\nc\r", {"a\rb", "c\r"}, "L-"},
    {"LfCrAfterLf", kLf, "a\n\rb\n", {"a", "\rb"}, "LL"},
    {"LfCrCrLf", kLf, "a\r\r\n\n", {"a\r", ""}, "CL"},
    {"LfMark", kLf, "ab\r\x1A\ncd\n", {"ab\r"}, "-"},
    {"LfLongRecordsEndingEachWay",
     kLf,
     std::string(20, 'a') + "\r\n" + std::string(21, 'b') + "\r" + std::string(9, 'c') + "\n" +
         std::string(30, 'd') + "\r",
     {std::string(20, 'a'), std::string(21, 'b') + "\r" + std::string(9, 'c'),
      std::string(30, 'd') + "\r"},
     "CL-"},
};

INSTANTIATE_TEST_SUITE_P(Boundaries, ReaderTest,
                         ::testing::Combine(::testing::ValuesIn(kReaderCases),
                                            ::testing::Values(1, 2, 3, 7, 64 * 1024)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(ReaderProgress, CountsConsumedBytes) {
    MemorySource source("ab\r\ncd\rx");
    RecordReader reader(source, LineRule::Cr, 3);
    reader.Next();
    EXPECT_EQ(reader.BytesConsumed(), 3u);  // the LF is taken by the next look
    ASSERT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.BytesConsumed(), 4u);
    reader.Next();
    reader.Next();
    EXPECT_EQ(reader.BytesConsumed(), 8u);
    EXPECT_TRUE(reader.AtEnd());
}

// Records around the block size, written and read back through both buffers.
TEST(WriterRoundTrip, BlockSizedRecords) {
    TempDir dir;
    const std::string path = dir / "out.txt";
    std::vector<std::string> records;
    for (std::size_t length : {6u, 7u, 8u, 0u, 15u, 16u, 17u}) records.emplace_back(length, 'r');
    RecordWriter writer(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), path, 8);
    for (const auto& r : records) {
        writer.Append(r);
        writer.EndRecord();
    }
    writer.Close();
    EXPECT_EQ(ReadAll(ReadFile(path), 7).records, records);
}

TEST(WriterErrors, FullDiskShowsAtClose) {
    RecordWriter writer(::open("/dev/full", O_WRONLY), "/dev/full");
    writer.Append("abc");
    try {
        writer.Close();
        FAIL() << "no error from a full disk";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "I/O エラー (28)");
    }
}

TEST(OutputOpening, AppendCutsAtEndOfFileMark) {
    TempDir dir;
    const std::string path = dir / "out.txt";
    const std::string head(200, 'h');
    WriteFile(path, head + "ab\r\n\x1A\x1A");
    WriteFile(dir / "src", "");
    const int sourceFd = ::open((dir / "src").c_str(), O_RDONLY);
    RecordWriter writer(OpenOutputFile(path, OutputOpen::Append, sourceFd), path);
    writer.Append("cd\r\n");
    writer.Close();
    EXPECT_EQ(ReadFile(path), head + "ab\r\ncd\r\n");

    RecordWriter created(OpenOutputFile(path, OutputOpen::Create, sourceFd), path);
    created.Close();
    EXPECT_EQ(ReadFile(path), "");
    ::close(sourceFd);
}

TEST(OutputOpening, MarkBeforeTheLast128BytesStays) {
    TempDir dir;
    const std::string path = dir / "out.txt";
    const std::string kept = "\x1A" + std::string(128, 't');
    WriteFile(path, kept);
    WriteFile(dir / "src", "");
    const int sourceFd = ::open((dir / "src").c_str(), O_RDONLY);
    RecordWriter writer(OpenOutputFile(path, OutputOpen::Append, sourceFd), path);
    writer.Append("x");
    writer.Close();
    EXPECT_EQ(ReadFile(path), kept + "x");
    ::close(sourceFd);
}

TEST(OutputOpening, TheSourceItselfIsRefused) {
    TempDir dir;
    const std::string source = dir / "src.txt";
    WriteFile(source, "keep\r\n");
    std::filesystem::create_symlink(source, dir / "link.txt");
    const int sourceFd = ::open(source.c_str(), O_RDONLY);
    for (const auto& name : {source, dir / "link.txt"}) {
        for (const auto mode : {OutputOpen::Create, OutputOpen::Append}) {
            EXPECT_THROW(OpenOutputFile(name, mode, sourceFd), PlatformError) << name;
        }
    }
    ::close(sourceFd);
    EXPECT_EQ(ReadFile(source), "keep\r\n");
}

TEST(OutputOpening, ErrorMessages) {
    TempDir dir;
    WriteFile(dir / "file", "");
    const int sourceFd = ::open((dir / "file").c_str(), O_RDONLY);
    const auto messageOf = [&](const std::string& path) {
        try {
            ::close(OpenOutputFile(path, OutputOpen::Create, sourceFd));
        } catch (const PlatformError& e) {
            return e.message();
        }
        return std::string("opened");
    };
    EXPECT_EQ(messageOf(dir / "no/such/out.txt"), "不正なファイル名です");
    EXPECT_EQ(messageOf(dir / "file/out.txt"), "不正なファイル名です");
    EXPECT_EQ(messageOf(dir / ""), "I/O エラー (21)");
    ::close(sourceFd);
    EXPECT_THROW(FileSource(dir / "missing.txt"), PlatformError);
    try {
        FileSource source(dir / "missing.txt");
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "ファイルが見つかりません");
    }
}

TEST(Folders, CreatedAlongThePath) {
    TempDir dir;
    const std::string path = dir / "a/b/c/out.txt";
    CreateFolders(path);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    EXPECT_FALSE(std::filesystem::exists(path));

    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir / "a");
    CreateFolders("rel/sub/out.txt");  // a relative path starts with a folder
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/rel/sub"));
}

}  // namespace
}  // namespace rivex
