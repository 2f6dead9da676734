#!/usr/bin/env bash
# Runs each job with rivex-batch and with the peer command side by side, alternating, and
# prints the median times, their ratio against the target, and rivex-batch's peak memory.
#   bench/run.sh [--records N] [--repeat R] [--smoke]
# --smoke: a small file, one repetition, no targets (for the test suite).
set -euo pipefail
cd "$(dirname "$0")/.."

records=2000000
repeat=7
smoke=0
while [ $# -gt 0 ]; do
  case "$1" in
    --records) records=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --smoke) smoke=1; records=10000; repeat=1; shift ;;
    *) echo "usage: bench/run.sh [--records N] [--repeat R] [--smoke]" >&2; exit 64 ;;
  esac
done

build=${BUILD:-build}
batch="$build/app/rivex-batch"
work=$(mktemp -d "${TMPDIR:-/tmp}/rivex-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
big="$work/big.txt"
small="$work/small.txt"
"$build/bench/make_records" "$records" "$big"
"$build/bench/make_records" "$((records / 10))" "$small"
# One record without a line end, for the jobs on records of any length: 1 GB, and a quarter
# of it to see that the time grows in line with the size.
record_bytes=$((records * 500))
long="$work/long.txt"
quarter="$work/quarter.txt"
head -c "$record_bytes" /dev/zero | tr '\0' r > "$long"
head -c "$((record_bytes / 4))" /dev/zero | tr '\0' r > "$quarter"
# The same records with LF line ends only, read by the auto rule.
lf="$work/lf.txt"
small_lf="$work/small_lf.txt"
tr -d '\r' < "$big" > "$lf"
tr -d '\r' < "$small" > "$small_lf"
cat "$big" "$small" "$long" "$quarter" "$lf" "$small_lf" > /dev/null  # into the page cache
sync  # no write-back of the test files during the first jobs

# Milliseconds taken by the command; its outputs go to $work/out.* and are removed first,
# and no write-back of an earlier command's output runs during it.
millis() {
  rm -f "$work"/out.*
  sync
  local start end
  start=$(date +%s%N)
  "$@" > /dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'; }
over() { [ "$smoke" -eq 0 ] && awk -v r="$1" -v t="$2" 'BEGIN {exit !(r > t)}'; }

# Peak resident memory of rivex-batch in KiB, for the job's options on FILE.
peak_kib() {
  local file=$1
  shift
  rm -f "$work"/out.*
  /usr/bin/time -f %M -o "$work/peak" "$batch" --source "$file" --output "$work/out.r" "$@" \
    > /dev/null 2>&1
  cat "$work/peak"
}

failed=0
printf '%-34s %9s %9s %7s %7s %9s %9s\n' job rivex_ms peer_ms ratio target peak_KiB small_KiB
# job NAME TARGET PEER_SCRIPT -- RIVEX_OPTIONS...: on $source, with the peak memory also
# on $smaller. A PEER_SCRIPT of "rivex OPTIONS..." is rivex-batch with other options.
source=$big
smaller=$small
job() {
  local name=$1 target=$2 peer=$3
  shift 4
  local r=() p=()
  for _ in $(seq "$repeat"); do
    r+=("$(millis "$batch" --source "$source" --output "$work/out.r" "$@")")
    if [[ $peer == rivex\ * ]]; then
      read -ra other <<< "${peer#rivex }"
      p+=("$(millis "$batch" --source "$source" --output "$work/out.p" "${other[@]}")")
    else
      p+=("$(millis sh -c "$peer" sh "$source" "$work/out.p")")
    fi
  done
  local rm pm ratio peak peak_small verdict
  rm=$(printf '%s\n' "${r[@]}" | median)
  pm=$(printf '%s\n' "${p[@]}" | median)
  ratio=$(ratio "$rm" "$pm")
  peak=$(peak_kib "$source" "$@")
  peak_small=$(peak_kib "$smaller" "$@")
  verdict=""
  if over "$ratio" "$target" || over "$peak" 16384 || over "$peak_small" 16384; then
    verdict="  MISSED"
    failed=1
  fi
  printf '%-34s %9s %9s %7s %7s %9s %9s%s\n' "$name" "$rm" "$pm" "$ratio" "$target" "$peak" \
    "$peak_small" "$verdict"
}

# compare NAME TARGET A B: the shell functions A and B each print the milliseconds of one
# run; they run alternately, and A's median against B's is held to the target.
compare() {
  local name=$1 target=$2 a=() b=()
  for _ in $(seq "$repeat"); do
    a+=("$($3)")
    b+=("$($4)")
  done
  local am bm ratio verdict=""
  am=$(printf '%s\n' "${a[@]}" | median)
  bm=$(printf '%s\n' "${b[@]}" | median)
  ratio=$(ratio "$am" "$bm")
  if over "$ratio" "$target"; then
    verdict="  MISSED"
    failed=1
  fi
  printf '%-34s %9s %9s %7s %7s%s\n' "$name" "$am" "$bm" "$ratio" "$target" "$verdict"
}

cells=$(for left in 11 20 29 38 47 56 65 74 83; do printf '%d-%d,' "$left" $((left + 8)); done)
# The jobs on the record file; NAME_SUFFIX tells the CR LF file from its LF twin.
record_jobs() {
  local suffix=$1
  job "all records, whole$suffix" 1.3 'cat "$1" > "$2"' -- --whole --all
  job "fields 1-3, 11-13 (mawk)$suffix" 0.5 \
    "mawk '{print substr(\$0,1,3) substr(\$0,11,3)}' \"\$1\" > \"\$2\"" -- \
    --fields --field 1 3 "" "" --field 11 13 "" "" --all
  job "fields 1-3, 11-13 (cut)$suffix" 0.3 'cut -b 1-3,11-13 "$1" > "$2"' -- \
    --fields --field 1 3 "" "" --field 11 13 "" "" --all
  job "11-19 at pitch 9 to 83 (cut)$suffix" 0.3 "cut -b ${cells%,} \"\$1\" > \"\$2\"" -- \
    --fields --field 11 19 20 83 --all
  job "code 13 to 14 at 4-5 (grep)$suffix" 1.0 "LC_ALL=C grep -E '^.{3}1[34]' \"\$1\" > \"\$2\"" -- \
    --whole --by-code --key 4-5 --range 13 14 --order unknown
  job "count 1000000 to 1100000 (sed)$suffix" 1.0 \
    "sed -n '1000000,1100000p;1100001q' \"\$1\" > \"\$2\"" -- \
    --whole --by-count --range 1000000 1100000
}
record_jobs ""
source=$lf
smaller=$small_lf
record_jobs ", LF"
source=$big
smaller=$small

# "To the end" typed as a far last left costs no more than the true one (91 for 100 bytes).
job "11-12 at pitch 10 to 99999999" 1.2 "rivex --fields --field 11 12 21 91 --all" -- \
  --fields --field 11 12 21 99999999 --all

# CSV for a spreadsheet: six fields, trimmed, converted to UTF-8; against the fixed output of
# the same fields, and against the chains a user would otherwise build.
six=(--fields --field 1 3 "" "" --field 4 5 "" "" --field 6 6 "" "" --field 7 9 "" ""
  --field 10 17 "" "" --field 18 30 "" "" --all)
"$batch" --save-conditions "$work/six.json" --source "$big" --output /dev/null "${six[@]}"
csv=("${six[@]}" --format csv --trim --output-encoding utf8)
job "six fields, CSV UTF-8 (as fixed)" 6.0 "rivex --conditions $work/six.json" -- "${csv[@]}"
job "six fields, CSV UTF-8 (cut|iconv|sed)" 0.5 \
  "cut -b 1-3,4-5,6,7-9,10-17,18-30 --output-delimiter=, \"\$1\" | iconv -f CP932 -t UTF-8 |
   sed 's/^ *//; s/ *, */,/g; s/ *\$//' > \"\$2\"" -- "${csv[@]}"
trim='function t(s) { gsub(/^ +| +$/, "", s); return s }'
job "six fields, CSV UTF-8 (mawk|iconv)" 0.5 \
  "mawk '$trim {print t(substr(\$0,1,3)) \",\" t(substr(\$0,4,2)) \",\" t(substr(\$0,6,1)) \",\"
   t(substr(\$0,7,3)) \",\" t(substr(\$0,10,8)) \",\" t(substr(\$0,18,13))}' \"\$1\" |
   iconv -f CP932 -t UTF-8 > \"\$2\"" -- "${csv[@]}"

# One record of $record_bytes bytes without a line end.
source=$long
smaller=$quarter
job "one long record, whole (cat)" 2.0 'cat "$1" > "$2"' -- --whole --all
job "one long record, fields 1-10 (cut)" 1.0 'cut -b 1-10 "$1" > "$2"' -- \
  --fields --field 1 10 "" "" --all
job "one long record, key 4-5 (cut)" 1.0 'cut -b 4-5 "$1" > "$2"' -- \
  --whole --by-code --key 4-5 --range 13 14

# Time in line with the size: the long record against the quarter one.
long_ms() { millis "$batch" --source "$long" --output "$work/out.r" --whole --all; }
quarter_ms() { millis "$batch" --source "$quarter" --output "$work/out.r" --whole --all; }
compare "long record against 1/4 of it" 4.5 long_ms quarter_ms

# CPU-bound jobs to /dev/null against counting the lines of the same file: page-cache writes
# here take 0.6-5 s for the same 2 GB, and would drown the difference.
null_ms() { millis "$batch" --source "$big" --output /dev/null "$@"; }
wc_ms() { millis wc -l "$big"; }
fields_null() { null_ms --fields --field 1 3 "" "" --field 11 13 "" "" --all; }
code_null() { null_ms --whole --by-code --key 4-5 --range 13 14 --order unknown; }
count_null() { null_ms --whole --by-count --range 1000000 1100000; }
compare "fields to /dev/null (wc -l)" 1.0 fields_null wc_ms
compare "code to /dev/null (wc -l)" 1.0 code_null wc_ms
compare "count to /dev/null (wc -l)" 1.0 count_null wc_ms

# The cost of many ranges against one: code rows that never match beside the one that does,
# spread over the first digits as real codes are (1001 to 1001Z, 2002 to 2002Z, ...: the
# records' keys 10 to 18 fall among them), and the same records cut into more and more count
# rows, typed from the last to the first.
# The rows come from a conditions file: handing 20,000 arguments on costs the shell itself
# 70-120 ms here, more than the run it is to measure.
code_rows() {
  rows=(--range 13 14)
  local i code
  for i in $(seq 2 "$1"); do
    code=$(printf '%d%03d' $((i % 10)) "$i")
    rows+=(--range "$code" "${code}Z")
  done
}
count_rows() {
  local n=$1 span=$((100000 / $1)) k
  rows=()
  for k in $(seq $((n - 1)) -1 0); do
    rows+=(--range $((1000000 + k * span)) $((1000000 + (k + 1) * span - 1)))
  done
}
# save_rows NAME OPTIONS...: the conditions file $work/NAME.json with the rows of $rows.
save_rows() {
  local name=$1
  shift
  "$batch" --save-conditions "$work/$name.json" --source "$big" --output /dev/null "$@" \
    "${rows[@]}"
}
rows_n() { null_ms --conditions "$work/rows_n.json"; }
rows_1() { null_ms --conditions "$work/rows_1.json"; }
code_rows 1
save_rows rows_1 --whole --by-code --key 4-5 --order unknown
for n in 10 100 1000; do
  code_rows "$n"
  save_rows rows_n --whole --by-code --key 4-5 --order unknown
  compare "$n code rows against 1" 1.3 rows_n rows_1
done
count_rows 1
save_rows rows_1 --whole --by-count
for n in 100 10000; do
  count_rows "$n"
  save_rows rows_n --whole --by-count
  compare "$n count rows against 1" 1.3 rows_n rows_1
done

# LF output against CR LF output, fields into a file.
lf_out_ms() {
  millis "$batch" --source "$big" --output "$work/out.r" --fields --field 1 3 "" "" \
    --field 11 13 "" "" --all --output-line-end lf
}
crlf_out_ms() {
  millis "$batch" --source "$big" --output "$work/out.r" --fields --field 1 3 "" "" \
    --field 11 13 "" "" --all --output-line-end crlf
}
compare "fields, LF output against CR LF" 1.05 lf_out_ms crlf_out_ms

# A series of small files, 10 KB each, into one output: what each pass costs beyond its bytes.
files=$((smoke ? 100 : 10000))
mkdir "$work/small_series"
head -c 10000 "$big" > "$work/one_small.txt"
for i in $(seq -f %05g "$files"); do cp "$work/one_small.txt" "$work/small_series/s$i.txt"; done
last=$(printf %05d "$files")
series_whole_ms() {
  millis "$batch" --source "$work/small_series/s@.txt" --output "$work/out.s" --whole --all \
    --at 00001 "$last" 1
}
series_fields_ms() {
  millis "$batch" --source "$work/small_series/s@.txt" --output "$work/out.s" --fields \
    --field 1 3 "" "" --all --at 00001 "$last" 1
}
w=() f=()
for _ in $(seq "$repeat"); do
  w+=("$(series_whole_ms)")
  f+=("$(series_fields_ms)")
done
printf '%-34s %9s ms whole, %s ms fields\n' "series of $files files of 10 KB" \
  "$(printf '%s\n' "${w[@]}" | median)" "$(printf '%s\n' "${f[@]}" | median)"
rm -rf "$work/small_series"

# The whole-record job from the main window, against rivex-batch's time for it.
window_ms() {
  rm -f "$work"/out.*
  QT_QPA_PLATFORM=offscreen "$build/bench/window_bench" "$big" "$work/out.w" 2> /dev/null |
    cut -d' ' -f1
}
batch_ms() { millis "$batch" --source "$big" --output "$work/out.r" --whole --all; }
compare "window vs rivex-batch, whole" 1.15 window_ms batch_ms
# The window over a series of small files: what the series adds to the resident size.
series=$((smoke ? 100 : 10000))
mkdir "$work/series"
for i in $(seq -f %05g "$series"); do printf 'ab\r\ncd\r\n' > "$work/series/s$i.txt"; done
added=$(QT_QPA_PLATFORM=offscreen "$build/bench/window_bench" "$work/series/s@.txt" \
  "$work/out.s" "$(printf %05d "$series")" 2> /dev/null | cut -d' ' -f3)
verdict=""
if over "$added" 5120; then
  verdict="  MISSED"
  failed=1
fi
printf '%-34s %9s KiB added, target 5120%s\n' "window, series of $series files" "$added" "$verdict"
# The record viewer on ten times the record file (2 GB): the first screen with its preview,
# a jump to the middle record, what the viewer adds to the resident size, and the longest the
# window thread went unanswered while it read, and while a preview by a code that matches
# nothing was read.
viewed="$work/viewed.txt"
for _ in $(seq 10); do cat "$big"; done > "$viewed"
read -r first_ms jump_ms viewer_kib gap_ms code_gap_ms < <(QT_QPA_PLATFORM=offscreen \
  "$build/bench/viewer_bench" "$viewed" $((records * 5)) '~~~~' 2> /dev/null)
rm -f "$viewed"
verdict=""
if over "$first_ms" 500 || over "$viewer_kib" 16384 || over "$gap_ms" 100 ||
  over "$code_gap_ms" 100; then
  verdict="  MISSED"
  failed=1
fi
printf '%-34s %9s ms first screen (target 500), %s ms to the middle, %s KiB added, window' \
  "viewer, $((records * 10)) records" "$first_ms" "$jump_ms" "$viewer_kib"
printf ' thread held %s ms at most, %s ms by a code preview (target 100)%s\n' "$gap_ms" \
  "$code_gap_ms" "$verdict"
echo "records: $records, repetitions: $repeat, cores: $(nproc)"
exit "$failed"
