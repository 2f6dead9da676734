#!/usr/bin/env bash
# The examples of the installed rivex-batch man pages, English and Japanese, run as a user copies
# them from the screen: each page rendered 80 columns wide, each indented block of its examples
# section run by bash, in order, in one folder holding the files they name, with the installed
# rivex-batch. A crontab line runs its command from / as cron would, its folder being the
# examples' folder, and must write there. Changes nothing outside a temporary folder.
#   check_examples.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/rivex-examples.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
DESTDIR="$root" cmake --install "$build" --prefix /usr > /dev/null
export PATH="$root/usr/bin:$PATH"

# Records of 50 bytes, CR LF ended, with a code in columns 4 to 5 and numbers beyond.
records() { # records FIRST_CODE
  local i
  for ((i = 1; i <= 20; i++)); do
    printf 'R%02d%02d%s%09d%-30s\r\n' $((i % 100)) $(($1 + i % 4)) xxxx $((i * 1111)) "row $i"
  done
}

# Shift-JIS records of 26 bytes, CR LF ended: a number in columns 1 to 4, a name padded with
# full- and half-width blanks in 5 to 18, an amount aligned right in 19 to 26.
staff() {
  printf '%s\r\n' '0001山田　太郎        1200' '0002佐藤　花子　     35000' \
    '0003鈴木　一           980' | iconv -f UTF-8 -t CP932
}

# examples PAGE HEADER: runs the examples of PAGE (below usr/share/man) in a folder of their
# own; HEADER is the header row its CSV example names.
examples() {
  local page=$1 header=$2 dir=$work/${1//\//_}
  local files=$dir/files
  fail() { echo "FAIL: $page: $*" >&2; exit 1; }
  mkdir -p "$files"
  records 12 > "$files/in.txt"
  gzip -9c "$files/in.txt" > "$files/in.txt.gz"
  staff > "$files/staff.txt"
  for n in 01 02 03 04 05 06 07 08 09 10 11 12; do
    records 11 > "$files/in$n.txt"
    records 12 > "$files/area$n.txt"
  done

  # The examples section as a reader sees it, and its blocks: lines indented past the text's 7.
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/$page" > "$dir/page.txt"
  awk '/^[^ ]/ { inside = ($0 == "EXAMPLES" || $0 == "例"); next }
       inside && /^        / { sub(/^ +/, ""); print; blank = 0; next }
       inside && !blank { print ""; blank = 1 }' "$dir/page.txt" > "$dir/examples.txt"

  local blocks=0 block="" line
  run() {
    [ -n "$1" ] || return 0
    blocks=$((blocks + 1))
    if [[ $1 =~ ^[0-9*@] ]]; then # a crontab line: five time fields, then the command
      local command
      command=$(sed -E 's/^([^ ]+ +){5}//' <<< "$1")
      touch "$dir/before"
      (cd / && bash -o pipefail -c "${command//\/srv\/sales/$files}") > "$dir/out" 2>&1 ||
        fail "crontab example failed: $1: $(cat "$dir/out")"
      [ -n "$(find "$files" -type f -newer "$dir/before")" ] ||
        fail "crontab example wrote nothing: $1: $(cat "$dir/out")"
    else
      (cd "$files" && bash -e -o pipefail -c "$1") > "$dir/out" 2>&1 ||
        fail "example failed: $1: $(cat "$dir/out")"
    fi
  }
  while IFS= read -r line; do
    if [ -z "$line" ]; then run "$block"; block=""; else block+="$line"$'\n'; fi
  done < "$dir/examples.txt"
  run "$block"
  [ "$blocks" -gt 0 ] || fail "no examples"

  # What the examples say they write.
  crlf() { sed 's/$/\r/'; }
  cmp -s <(cut -c1-3,11-13 "$files/in.txt" | crlf) "$files/out.txt" ||
    fail "the columns example wrote other bytes"
  cmp -s <(cut -c11-14,21-24,31-34,41-44 "$files/in.txt" | crlf) "$files/cells.txt" ||
    fail "the repetition example wrote other bytes"
  cmp -s <(head -n 10 "$files/in.txt") "$files/first10.txt" ||
    fail "the pipe example wrote other bytes"
  cmp -s <(printf '\xEF\xBB\xBF' && printf '%s\r\n' "$header" 0001,山田　太郎,1200 \
    0002,佐藤　花子,35000 0003,鈴木　一,980) "$files/staff.csv" ||
    fail "the spreadsheet example wrote other bytes"
  local written
  for written in all.txt sel/in01.txt sel/in12.txt tokyo.txt check.txt; do
    [ -s "$files/$written" ] || fail "an example wrote no $written"
  done
  echo "$page: $blocks examples ran"
}

examples man1/rivex-batch.1.gz number,name,amount
examples ja/man1/rivex-batch.1.gz 番号,氏名,金額
echo "man_examples: 1 passed, 0 failed"
