// Every way in and out of a run, attacked with real processes: appended and closed standard
// streams, other spellings of one file, full disks, a second run at once, sources that change,
// signals while a read or an open waits, endless records, hostile conditions files. Each row
// is a bash script that sets the fault up, runs rivex-batch ($RIVEX) and checks what is left.
#include <gtest/gtest.h>

#include "tests/support/run_batch.h"
#include "tests/support/temp_dir.h"

namespace rivex {
namespace {

using testing::Result;
using testing::RunScript;
using testing::TempDir;

// The address space a run of flat memory needs at most, in KiB, for `ulimit -v`; the
// sanitizers reserve far more for themselves.
#ifdef RIVEX_SANITIZED
constexpr const char* kAddressLimit = "limit=unlimited\n";
#else
constexpr const char* kAddressLimit = "limit=120000\n";
#endif

// fail/expect report and stop; records N makes N CR LF records of 17 bytes; since gives the
// milliseconds since a `now`. A signal goes through `timeout --foreground`, to rivex-batch
// alone: timeout otherwise sends it to the whole group again, and a second signal that meets
// the leak checker stopping the process at its exit (sanitized builds) can hang it there.
constexpr const char* kPrelude = R"sh(
set -u
fail() { echo "FAIL: $*"; exit 1; }
expect() { [ "$1" == "$2" ] || fail "${3:-}: expected [$2], got [$1]"; }
records() { yes $'0123456789abcde\r' | head -n "$1"; }
now() { date +%s%N; }
since() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
whole_records_of() {  # the output is a prefix of $2 that ends at a record's end
  local size; size=$(stat -c %s "$1")
  cmp -s -n "$size" "$1" "$2" || fail "$1 is no prefix of $2"
  [ "$size" -eq 0 ] || [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" == '\r\n' ] ||
    fail "$1 ends inside a record"
}
)sh";

struct Attack {
    const char* name;
    const char* script;
};

void PrintTo(const Attack& a, std::ostream* os) {
    *os << a.name;
}

const Attack kAttacks[] = {
    {"AppendedStandardOutputKeepsWhatItHeld", R"sh(
records 600000 > a; printf 'lone\rCR\r\n' > b; records 1000 > c; cat a b c > s.txt
printf 'OLD\r\n' > out.txt
"$RIVEX" --source s.txt --output - --whole --all >> out.txt 2> err; expect $? 0 status
{ printf 'OLD\r\n'; cat a; printf 'lone\r\nCR\r\n'; cat c; } > want
cmp out.txt want || fail "the appended output lost or changed bytes"
)sh"},
    {"SeriesNamingItsOutputAnotherWay", R"sh(
for n in 1 2 3; do printf "p$n\r\n" > p$n.txt; done
ln -s p3.txt link.txt; ln p3.txt hard.txt
for out in p3.txt "$PWD/p3.txt" link.txt hard.txt; do
  "$RIVEX" --source ./p@.txt --output "$out" --whole --all --at 1 3 1 > log 2> err
  expect $? 1 "$out"
  expect "$(cat err)" "** 抽出ﾌｧｲﾙが＠の元ﾌｧｲﾙのひとつと同じ名前です。" "$out"
  expect "$(cat p3.txt p1.txt)" $'p3\r\np1\r' "$out"
done
timeout 5 "$RIVEX" --source '/@/@/@/@/@x.txt' --output o.txt --whole --all --at 1 1 1 > log 2>&1
[ $? -ne 124 ] || fail "the series check walked the whole file system"
)sh"},
    {"ClosedStandardStreams", R"sh(
records 3 > s.txt
"$RIVEX" --source s.txt --output o.txt --whole --all <&- >&- 2>&-; expect $? 0
cmp o.txt s.txt || fail "the output holds more than the records"
"$RIVEX" --source s.txt --output - --whole --all >&- 2> err; expect $? 2 "closed stdout"
grep -qx '標準出力が閉じています.' err || fail "closed stdout: $(cat err)"
"$RIVEX" --source - --output o.txt --whole --all <&- > log 2> err; expect $? 2 "closed stdin"
grep -qx '標準入力が閉じています.' err || fail "closed stdin: $(cat err)"
)sh"},
    {"SaveConditionsOverOtherData", R"sh(
printf 'DATA\r\n' > data.txt
"$RIVEX" --source s.txt --output o.txt --whole --all --save-conditions data.txt 2> err
expect $? 2; expect "$(cat data.txt)" $'DATA\r' "the data"
grep -q '抽出条件ファイルでないファイルには保存できません' err || fail "$(cat err)"
"$RIVEX" --source a.txt --output o.txt --whole --all --save-conditions c.rivex.json; expect $? 0
cp c.rivex.json before
( ulimit -f 0; trap '' XFSZ; "$RIVEX" --source b.txt --output o.txt --whole --all \
    --save-conditions c.rivex.json 2> err ); expect $? 2 "full disk"
cmp c.rivex.json before || fail "a failed save damaged the old file"
[ -z "$(ls -A | grep XXX; ls -A | grep '^\.c\.rivex')" ] || fail "a temporary file was left"
"$RIVEX" --source $'\xff.txt' --output o.txt --whole --all --save-conditions n.rivex.json 2> err
expect $? 2 "not UTF-8"; [ ! -e n.rivex.json ] || fail "saved a name it cannot keep"
grep -q 'UTF-8 でないため保存できません' err || fail "$(cat err)"
)sh"},
    {"FullDiskLeavesWholeRecords", R"sh(
records 200000 > s.txt; records 200000 | cut -c1-10 | sed 's/$/\r/' > fields.want
head -c 3000000 /dev/zero | tr '\0' x > long.txt; printf '\r\nend\r\n' >> long.txt
run() { ( ulimit -f 1000; trap '' XFSZ; "$@" > log 2> err ); expect $? 2 "$*"
        grep -q 'I/O エラー (27)' err || fail "$*: $(cat err)"; }
run "$RIVEX" --source s.txt --output copied.txt --whole --all
whole_records_of copied.txt s.txt
cat s.txt | run "$RIVEX" --source - --output piped.txt --whole --all
whole_records_of piped.txt s.txt
run "$RIVEX" --source s.txt --output fields.txt --fields --field 1 10 "" "" --all
whole_records_of fields.txt fields.want
run "$RIVEX" --source long.txt --output long1.txt --whole --all
cat long.txt | run "$RIVEX" --source - --output long2.txt --whole --all
expect "$(stat -c %s long1.txt long2.txt | tr '\n' ' ')" "0 0 " "a record longer than the disk"
)sh"},
    {"TwoRunsOneOutput", R"sh(
mkfifo slow; records 5 > s.txt
"$RIVEX" --source slow --output o.txt --whole --all > log1 2>&1 &
first=$!
exec 3> slow; printf 'a\r\n' >&3; sleep 0.3
"$RIVEX" --source s.txt --output o.txt --whole --all > log2 2> err2; expect $? 2 second
grep -qx '抽出ファイルは別の抽出が書き込み中です.' err2 || fail "$(cat err2)"
printf 'b\r\n' >&3; exec 3>&-
wait $first; expect $? 0 first
expect "$(cat o.txt)" $'a\r\nb\r' "the first run's output"
)sh"},
    {"SourceChangedWhileRead", R"sh(
records 100000 > s.txt; mkfifo outpipe
"$RIVEX" --source s.txt --output outpipe --whole --all > log 2> err &
pid=$!
exec 3< outpipe; sleep 0.3
printf 'more\r\n' >> s.txt
cat <&3 > /dev/null; exec 3<&-
wait $pid; expect $? 2
expect "$(cat err)" $'元ファイルが読み込み中に変更されました.\ns.txt'
)sh"},
    {"StopSignalsStopEveryWait", R"sh(
records 3 > s.txt; mkfifo in.fifo out.fifo
check() {  # signal, status, then the command
  local t; t=$(now); timeout --foreground --preserve-status -k 2 -s "$1" 0.5 "${@:3}" > log 2> err; expect $? "$2" "$*"
  [ "$(since "$t")" -lt 1500 ] || fail "$*: $(since "$t") ms"
}
check INT 130 "$RIVEX" --source /dev/zero --output o.txt --whole --all
expect "$(stat -c %s o.txt)" 0 "an endless record cut by the signal"
check INT 130 "$RIVEX" --source /dev/zero --output o.txt --fields --field 1 5 "" "" --all
printf 'a\r\nb\r\n' > sparse.txt; truncate -s 16G sparse.txt  # copied by the kernel ahead
check INT 130 "$RIVEX" --source sparse.txt --output o.txt --whole --all
expect "$(cat o.txt)" $'a\r\nb\r' "a long record begun by the kernel's copy"
check TERM 143 "$RIVEX" --source in.fifo --output o.txt --whole --all
check HUP 129 "$RIVEX" --source s.txt --output out.fifo --whole --all
expect "$(tail -n 1 err)" "** シグナル 1 で中断しました。"
)sh"},
    {"StarFieldKeepsMemoryFlat", R"sh(
head -c 100000000 /dev/zero | tr '\0' x > big.txt; printf '\r\nab\r\n' >> big.txt
( ulimit -v "$limit"; "$RIVEX" --source big.txt --output o.txt --fields --field 3 '*' "" "" --all \
    > log 2> err ); expect $? 0 "$(cat err)"
expect "$(stat -c %s o.txt)" $(( 99999998 + 2 + 2 )) "regular source"
( ulimit -v "$limit"; cat big.txt | "$RIVEX" --source - --output p.txt --fields \
    --field 3 '*' "" "" --all > log 2> err ); expect $? 0 "$(cat err)"
cmp o.txt p.txt || fail "through a pipe the fields differ"
)sh"},
    {"HostileConditionsFiles", R"sh(
"$RIVEX" --source s.txt --output o.txt --whole --all --save-conditions c.rivex.json
bad() {  # the file's text, the message it must be refused with
  printf '%s' "$1" > bad.json
  timeout 5 "$RIVEX" --conditions bad.json > log 2> err; expect $? 64 "$2"
  grep -qF -- "$2" err || fail "$2: $(cat err)"
}
good=$(cat c.rivex.json)
bad "${good/\"version\": 1/\"version\": 1e400}" '大きすぎる数があります'
bad "${good/\"version\": 1/\"version\": 4294967297}" '版 4294967297 は読めません'
bad "${good/\"exclude\": false/\"exclude\": false, \"exclude\": true}" '「exclude」が二つあります'
bad "${good/s.txt/s\\u0000.txt}" '「sourceFile」に使えない文字があります'
bad "{\"a\": $(printf '[%.0s' $(seq 1 100000))" '入れ子が深すぎます'
head -c 2000000 /dev/zero | tr '\0' ' ' > big.json
mkfifo fifo.json
for file in /dev/zero fifo.json big.json; do
  timeout 5 "$RIVEX" --conditions "$file" > log 2> err; expect $? 64 "$file"
done
)sh"},
    {"IgnoredSignalStaysIgnored", R"sh(
mkfifo in.fifo
( trap '' INT; exec "$RIVEX" --source in.fifo --output o.txt --whole --all ) > log 2> err &
pid=$!
sleep 0.3; kill -INT $pid; sleep 0.3
kill -0 $pid 2> /dev/null || fail "an ignored SIGINT ended the run"
kill -TERM $pid; wait $pid; expect $? 143
)sh"},
    {"OutputThatIsAStandardStream", R"sh(
records 2 > s.txt
"$RIVEX" --source s.txt --output /dev/stdout --whole --all 2> err | cat > piped
expect "${PIPESTATUS[0]}" 2 "/dev/stdout"
grep -qx '抽出ファイルが標準出力と同じファイルです.' err || fail "$(cat err)"
"$RIVEX" --source s.txt --output /dev/stderr --whole --all > log 2> err2; expect $? 2
grep -qx '抽出ファイルが標準エラー出力と同じファイルです.' err2 || fail "$(cat err2)"
"$RIVEX" --source s.txt --output /dev/null --whole --all > /dev/null; expect $? 0 "/dev/null"
)sh"},
    {"StopSignalBeginsNoFurtherPass", R"sh(
for n in 1 2 3; do records 2 > in$n.txt; done; mkfifo out2.txt
timeout --foreground --preserve-status -k 2 -s INT 0.5 "$RIVEX" --source in@.txt --output out@.txt --whole --all --at 1 3 1 \
  > log 2> err; expect $? 130
[ ! -e out3.txt ] || fail "a pass began after the signal"
)sh"},
    {"ControlBytesInNamesKeepOneLine", R"sh(
printf 'a\r\n' > $'in\nx.txt'
"$RIVEX" --source $'in\nx.txt' --output $'o\tut.txt' --whole --all > log; expect $? 0
expect "$(sed -n 1,2p log)" $'元ファイル名　：in?x.txt\n抽出ファイル名：o?ut.txt'
expect "$(wc -l < log)" 4
)sh"},
    {"AutoLineRuleByMajority", R"sh(
{ printf 'x\ry\n'; yes abc | head -n 19999; } > lf.txt
{ printf 'x\ny\r\n'; records 19999; } > crlf.txt
"$RIVEX" --source lf.txt --output o.txt --whole --all > log; expect $? 0
expect "$(sed -n 3p log)" " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：20,000" "a stray CR"
"$RIVEX" --source crlf.txt --output o.txt --whole --all > log; expect $? 0
expect "$(sed -n 3p log)" " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：20,000" "a stray LF"
)sh"},
    {"SlowSourceRecordsFlow", R"sh(
( for i in $(seq 1 40); do printf 'r%03d\r\n' $i; sleep 0.05; done ) |
  timeout --foreground --preserve-status -k 2 -s INT 1 "$RIVEX" --source - --output o.txt --whole --all > log 2> err
expect $? 130
[ "$(grep -c . o.txt)" -ge 8 ] || fail "only $(grep -c . o.txt) records read in a second"
grep -q '^r001'$'\r''$' o.txt || fail "$(od -c o.txt | head)"
)sh"},
    {"Utf8ByteOrderMark", R"sh(
printf '\xEF\xBB\xBFab1\nab2\n' > u.txt
"$RIVEX" --source u.txt --output o.txt --encoding utf8 --fields --field 1 2 "" "" \
  --by-code --key 3 --range 1 1 > log; expect $? 0
printf '\xEF\xBB\xBFab\n' > want; cmp o.txt want || fail "$(od -c o.txt)"
"$RIVEX" --source u.txt --output w.txt --encoding utf8 --whole --all > log; expect $? 0
cmp w.txt u.txt || fail "whole records: $(od -c w.txt)"
)sh"},
    {"EmptyConditionsFileNamesAreNoFile", R"sh(
records 3 > s.txt
"$RIVEX" --source s.txt --output o1.txt --whole --all --save-conditions "" > log 2> err
expect $? 64 "--save-conditions \"\""; [ ! -e o1.txt ] || fail "a save ran the extraction"
"$RIVEX" --source s.txt --output o2.txt --whole --all --save-conditions= > log 2> err
expect $? 64 "--save-conditions="; [ ! -e o2.txt ] || fail "a save ran the extraction"
"$RIVEX" --conditions "" --source s.txt --output o3.txt --whole --all > log 2> err
expect $? 64 "--conditions \"\""
)sh"},
    {"TwoRunsShareOneStandardOutput", R"sh(
yes $'AAAAAAAAAAAAAAA\r' | head -n 1000000 > a.txt; yes $'BBBBBBBBBBBBBBB\r' | head -n 1000000 > b.txt
{ "$RIVEX" --source a.txt --output - --whole --all 2> ea & "$RIVEX" --source b.txt --output - \
    --whole --all 2> eb; echo $? > sb; wait $!; echo $? > sa; } > o.txt
kept=0; [ "$(cat sa)" == 0 ] && kept=$((kept + 1000000)); [ "$(cat sb)" == 0 ] && kept=$((kept + 1000000))
expect "$(grep -c $'^\\(A\\{15\\}\\|B\\{15\\}\\)\r$' o.txt)" "$kept" "whole records kept of the runs that ended 0"
expect "$(stat -c %s o.txt)" $((kept * 17)) "bytes in the shared output"
)sh"},
    {"StopSignalDuringAPartWrittenPipe", R"sh(
records 50000 > s.txt
( "$RIVEX" --source s.txt --output - --whole --all 2> err & echo $! > pid; wait $!; echo $? > status ) |
  { sleep 0.5; head -c 100000 > /dev/null; sleep 6; } &
sleep 1.2; t=$(now); kill -TERM "$(cat pid)"
while kill -0 "$(cat pid)" 2> /dev/null; do sleep 0.02; done
[ "$(since "$t")" -lt 1000 ] || fail "stopped $(since "$t") ms after SIGTERM"
wait; expect "$(cat status)" 143 status
)sh"},
    {"SeriesOutputLinkedToALaterSource", R"sh(
for n in 1 2; do printf "in$n\r\n" > in$n.txt; done; ln -s in2.txt out1.txt
"$RIVEX" --source in@.txt --output out@.txt --whole --all --at 1 2 1 > log 2> err
expect "$(cat in2.txt)" $'in2\r' "the second source after the run (status $?)"
)sh"},
    {"SavedLinkNameIsKept", R"sh(
mkdir data jobs; records 5 > data/jan.txt; printf 'feb\r\n' > data/feb.txt
ln -s data/jan.txt current.txt
"$RIVEX" --source current.txt --output out.txt --whole --all --save-conditions jobs/m.json
expect $? 0 save
ln -sfn data/feb.txt current.txt
"$RIVEX" --conditions jobs/m.json > log 2> err; expect $? 0 run
expect "$(cat out.txt)" $'feb\r' "the job read what the link names now"
)sh"},
    {"ConditionsLoadedFromADeletedFolder", R"sh(
records 2 > s.txt
"$RIVEX" --source s.txt --output o.txt --whole --all --save-conditions "$PWD/c.json"; expect $? 0 save
mkdir gone; ( cd gone && rmdir ../gone && "$RIVEX" --conditions "$OLDPWD/c.json" > ../log 2> ../err )
expect $? 0 "$(cat err)"
cmp o.txt s.txt || fail "the output"
)sh"},
    {"SaveRefusesAnAnswerThatIsNotUtf8", R"sh(
"$RIVEX" --source p@.txt --output o.txt --whole --all --at $'\xff' $'\xff' 1 \
  --save-conditions c.json > log 2> err; expect $? 2
[ ! -e c.json ] || fail "saved"
grep -q 'UTF-8 でないため保存できません' err || fail "$(cat err)"
)sh"},
    {"SaveKeepsTheFilesPermissions", R"sh(
"$RIVEX" --source a.txt --output o.txt --whole --all --save-conditions c.json; chmod 600 c.json
"$RIVEX" --source b.txt --output o.txt --whole --all --save-conditions c.json; expect $? 0
expect "$(stat -c %a c.json)" 600 "mode after a save"
)sh"},
    {"FullStandardOutputSaysTheCause", R"sh(
records 2 > s.txt
"$RIVEX" --source s.txt --output o.txt --whole --all > /dev/full 2> err; expect $? 2
grep -qx 'ディスクに空きがありません' err || fail "$(cat err)"
)sh"},
    {"EnglishLocaleThroughTheFaults", R"sh(
unset LC_ALL LANGUAGE LC_MESSAGES; export LANG=en_US.UTF-8
records 2 > s.txt; mkfifo out.fifo; echo '[1]' > c.json
"$RIVEX" --source s.txt --output o.txt --whole --all > /dev/full 2> err; expect $? 2
expect "$(tail -n 3 err)" $'I/O error (28)\nThe disk is full\n-' "full standard output"
"$RIVEX" --source s.txt --output - --whole --all >&- 2> err; expect $? 2
grep -q '^Standard output is closed' err || fail "closed standard output: $(cat err)"
timeout --foreground --preserve-status -k 2 -s HUP 0.5 "$RIVEX" --source s.txt --output out.fifo --whole \
    --all > log 2> err; expect $? 129
expect "$(tail -n 1 err)" "** Stopped by signal 1." "signal"
"$RIVEX" --conditions c.json > log 2> err; expect $? 64
expect "$(head -n 1 err)" 'rivex-batch: ** This is not a conditions file.' "conditions file"
"$RIVEX" --lang ja --source s.txt --output o.txt --fields --field x 1 "" "" --all 2> err
expect $? 1; expect "$(cat err)" $'ﾌｨｰﾙﾄﾞ左桁位置は非数字です。\n  x' "--lang ja over the locale"
"$RIVEX" --conditions c.json --lang ja --lang en > log 2> err; expect $? 64
expect "$(head -n 1 err)" 'rivex-batch: ** This is not a conditions file.' "the last --lang"
)sh"},
};

class AttackTest : public ::testing::TestWithParam<Attack> {};

TEST_P(AttackTest, HoldsUp) {
    TempDir dir;
    const Result r = RunScript(dir, kAddressLimit + std::string(kPrelude) + GetParam().script);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
}

INSTANTIATE_TEST_SUITE_P(Faults, AttackTest, ::testing::ValuesIn(kAttacks),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rivex
