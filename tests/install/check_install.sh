#!/usr/bin/env bash
# The install as a user's system gets it: every file in a DESTDIR install, the desktop entry and
# metainfo valid, the man pages rendering without warnings, the Debian package holding the same
# files with programs that run and passing lintian, and the bash completion of rivex-batch
# loaded by bash-completion from where it is installed. Changes nothing outside a temporary folder.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/rivex-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expected="usr/bin/Rivex103
usr/bin/rivex-batch
usr/share/applications/org.rivex.rivex.desktop
usr/share/bash-completion/completions/rivex-batch
usr/share/doc/rivex/changelog.gz
usr/share/doc/rivex/copyright
usr/share/icons/hicolor/128x128/apps/org.rivex.rivex.png
usr/share/icons/hicolor/16x16/apps/org.rivex.rivex.png
usr/share/icons/hicolor/256x256/apps/org.rivex.rivex.png
usr/share/icons/hicolor/32x32/apps/org.rivex.rivex.png
usr/share/icons/hicolor/48x48/apps/org.rivex.rivex.png
usr/share/icons/hicolor/64x64/apps/org.rivex.rivex.png
usr/share/icons/hicolor/scalable/apps/org.rivex.rivex.svg
usr/share/man/ja/man1/Rivex103.1.gz
usr/share/man/ja/man1/rivex-batch.1.gz
usr/share/man/man1/Rivex103.1.gz
usr/share/man/man1/rivex-batch.1.gz
usr/share/metainfo/org.rivex.rivex.metainfo.xml"

files_under() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > /dev/null
[ "$(files_under "$work/root")" = "$expected" ] ||
  fail "installed files differ: $(diff <(echo "$expected") <(files_under "$work/root"))"

desktop-file-validate "$work/root/usr/share/applications/org.rivex.rivex.desktop" ||
  fail "desktop entry"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.rivex.rivex.metainfo.xml" \
  > "$work/appstream.log" || fail "metainfo: $(cat "$work/appstream.log")"

for page in man1/rivex-batch.1.gz man1/Rivex103.1.gz ja/man1/rivex-batch.1.gz \
            ja/man1/Rivex103.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$work/root/usr/share/man/$page" \
    2>&1 > /dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log") ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/*.deb)
dpkg-deb -x "$deb" "$work/deb"
[ "$(files_under "$work/deb")" = "$expected" ] ||
  fail "package files differ: $(diff <(echo "$expected") <(files_under "$work/deb"))"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6widgets6 fonts-ipafont-gothic; do
  [[ $depends == *"$needed"* ]] || fail "package does not depend on $needed: $depends"
done

# Debian's checker: any error or warning fails (an override would say why in its comment).
lintian --fail-on error,warning "$deb" > "$work/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$work/lintian.log")"
gzip -dc "$work/deb/usr/share/doc/rivex/changelog.gz" > "$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$(dpkg-deb -f "$deb" Version)" ] ||
  fail "the changelog's last entry is not for version $(dpkg-deb -f "$deb" Version)"
# The license in the copyright file is the project's own.
license=$(awk '/^License: Expat$/ { n = NR } { line[NR] = $0 }
  END { for (i = n + 1; i <= NR; i++) { s = line[i]; sub(/^ \.?/, "", s); print s } }' \
  "$work/deb/usr/share/doc/rivex/copyright")
[ "$license" = "$(sed -n '/^Permission/,$p' "$(dirname "$0")/../../LICENSE")" ] ||
  fail "the copyright file's license is not the text of LICENSE"

version=$("$work/deb/usr/bin/rivex-batch" --version)
[ "$version" = "rivex-batch $(dpkg-deb -f "$deb" Version)" ] || fail "version: $version"
printf 'a\r\nb\r\n' > "$work/in.txt"
"$work/deb/usr/bin/rivex-batch" --source "$work/in.txt" --output "$work/out.txt" --whole --all \
  > /dev/null 2>&1 || fail "packaged rivex-batch did not run"
cmp -s "$work/in.txt" "$work/out.txt" || fail "packaged rivex-batch wrote other bytes"

# The completion, loaded by bash-completion from the package's files as from an installed system.
# complete LINE: what it offers with the cursor at the end of LINE, one a line.
complete_line() {
  XDG_DATA_DIRS="$work/deb/usr/share" BASH_COMPLETION_USER_DIR="$work/none" bash -c '
    source /usr/share/bash-completion/bash_completion
    if declare -F _comp_load > /dev/null; then _comp_load rivex-batch
    else __load_completion rivex-batch; fi || exit 3
    line=$1 COMP_WORDS=()
    for token in $line; do # split as bash splits: at blanks, and around "="
      if [[ $token == ?*=* ]]; then
        COMP_WORDS+=("${token%%=*}" "=")
        [[ -n ${token#*=} ]] && COMP_WORDS+=("${token#*=}")
      else COMP_WORDS+=("$token"); fi
    done
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$line COMP_POINT=${#line}
    function=$(complete -p rivex-batch) && function=${function#*-F } && function=${function%% *}
    "$function" rivex-batch "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$1"
}
expect_completion() {
  local got
  got=$(complete_line "$1" | sort | paste -sd ' ') || fail "completion of \"$1\" did not load"
  [ "$got" = "$2" ] || fail "completion of \"$1\": \"$got\", not \"$2\""
}
mkdir "$work/files" "$work/files/jobs"
touch "$work/files/in.txt" "$work/files/index.txt" "$work/files/out.txt"
cd "$work/files"
expect_completion "rivex-batch --line-end " "auto cr crlf lf"
expect_completion "rivex-batch --output-line-end=" "crlf lf source"
expect_completion "rivex-batch --enc" "--encoding"
expect_completion "rivex-batch --encoding " "sjis utf8"
expect_completion "rivex-batch --order s" "scattered"
expect_completion "rivex-batch --source " "in.txt index.txt jobs out.txt"
expect_completion "rivex-batch --source=in" "in.txt index.txt"
expect_completion "rivex-batch --save-conditions j" "jobs"
expect_completion "rivex-batch --field 1 3 \"\" \"\" --no" "--no-exclude --no-header --no-trim"
expect_completion "rivex-batch --format " "csv fixed tsv"
expect_completion "rivex-batch --output-encoding=utf" "utf8 utf8-bom"
expect_completion "rivex-batch --field-name " ""
expect_completion "rivex-batch --field 1 " ""
expect_completion "rivex-batch --at 01 12 " "0 1"
echo "install: 1 passed, 0 failed"
