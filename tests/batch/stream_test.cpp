// rivex-batch and its streams: standard output as the output file, failed writes to the
// standard streams, and a run stopped by a signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "tests/support/run_batch.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::FinishBatch;
using testing::ReadFile;
using testing::Result;
using testing::RunBatch;
using testing::StartBatch;
using testing::TempDir;
using testing::WriteFile;

const std::string kLog =
    "元ファイル名　：in.txt\n抽出ファイル名：-\n 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：2\n 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：2\n";

TEST(StandardStreams, DashWritesTheRecordsAndMovesTheRunLog) {
    TempDir dir;
    WriteFile(dir / "in.txt", "a\r\nb");
    const pid_t pid =
        StartBatch(dir, {"--source", "in.txt", "--output", "-", "--whole", "--all"}, "records.txt");
    const Result r = FinishBatch(dir, pid, "records.txt");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a\r\nb\r\n");
    EXPECT_EQ(r.err, kLog + "** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。\n");
}

TEST(StandardStreams, OutputThatIsStandardOutputIsRefused) {
    TempDir dir;
    WriteFile(dir / "in.txt", "a\r\n");
    const pid_t pid = StartBatch(
        dir, {"--source", "in.txt", "--output", "records.txt", "--whole", "--all"}, "records.txt");
    const Result r = FinishBatch(dir, pid, "records.txt");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "抽出ファイルが標準出力と同じファイルです.\nrecords.txt\n");
    EXPECT_EQ(r.out, "元ファイル名　：in.txt\n");  // the RunLog is not overwritten
}

TEST(StandardStreams, FailedRunLogIsAPlatformError) {
    TempDir dir;
    WriteFile(dir / "in.txt", "a\r\n");
    std::filesystem::create_symlink("/dev/full", dir / "full");
    const pid_t pid =
        StartBatch(dir, {"--source", "in.txt", "--output", "out.txt", "--whole", "--all"}, "full");
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(ReadFile(dir / ".stderr").find("I/O エラー (28)\n"), std::string::npos);
}

// A FIFO that the test writes to and then leaves open, so that the reading waits.
class StalledSource {
  public:
    StalledSource(const std::string& path, std::string bytes) {
        ::mkfifo(path.c_str(), 0600);
        writer_ = std::thread([path, bytes = std::move(bytes)] {
            const int fd = ::open(path.c_str(), O_WRONLY);
            for (std::size_t done = 0; done < bytes.size();) {
                const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
                if (n <= 0) break;
                done += static_cast<std::size_t>(n);
            }
            std::this_thread::sleep_for(std::chrono::seconds(1));
            ::close(fd);
        });
    }
    ~StalledSource() { writer_.join(); }

  private:
    std::thread writer_;
};

// The output keeps whole records only, also when the signal comes in the middle of a record
// longer than what the reader keeps; the RunLog so far is printed.
TEST(StopSignals, WaitingRunStopsWithWholeRecords) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir dir;
        StalledSource source(dir / "fifo", "a\r\nb\r\n" + std::string(600000, 'x'));
        const pid_t pid =
            StartBatch(dir, {"--source", "fifo", "--output", "out.txt", "--whole", "--all"});
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(pid, signal);
        const Result r = FinishBatch(dir, pid);
        EXPECT_EQ(r.status, 128 + signal);
        EXPECT_EQ(ReadFile(dir / "out.txt"), "a\r\nb\r\n");
        // The long record was begun, so it counts as read; it is not written.
        EXPECT_EQ(r.out,
                  "元ファイル名　：fifo\n抽出ファイル名：out.txt\n 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：3\n "
                  "抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：2\n");
        EXPECT_EQ(r.err, "** シグナル " + std::to_string(signal) + " で中断しました。\n");
    }
}

}  // namespace
}  // namespace rivex
