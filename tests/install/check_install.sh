#!/usr/bin/env bash
# The install as a user's system gets it: every file in a DESTDIR install, the desktop entry and
# metainfo valid, the man pages rendering without warnings, and the Debian package holding the
# same files with programs that run. Changes nothing outside a temporary folder.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/rivex-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expected="usr/bin/Rivex103
usr/bin/rivex-batch
usr/share/applications/org.rivex.rivex.desktop
usr/share/icons/hicolor/128x128/apps/org.rivex.rivex.png
usr/share/icons/hicolor/16x16/apps/org.rivex.rivex.png
usr/share/icons/hicolor/256x256/apps/org.rivex.rivex.png
usr/share/icons/hicolor/32x32/apps/org.rivex.rivex.png
usr/share/icons/hicolor/48x48/apps/org.rivex.rivex.png
usr/share/icons/hicolor/64x64/apps/org.rivex.rivex.png
usr/share/icons/hicolor/scalable/apps/org.rivex.rivex.svg
usr/share/man/ja/man1/rivex-batch.1
usr/share/man/man1/Rivex103.1
usr/share/man/man1/rivex-batch.1
usr/share/metainfo/org.rivex.rivex.metainfo.xml"

files_under() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > /dev/null
[ "$(files_under "$work/root")" = "$expected" ] ||
  fail "installed files differ: $(diff <(echo "$expected") <(files_under "$work/root"))"

desktop-file-validate "$work/root/usr/share/applications/org.rivex.rivex.desktop" ||
  fail "desktop entry"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.rivex.rivex.metainfo.xml" \
  > "$work/appstream.log" || fail "metainfo: $(cat "$work/appstream.log")"

for page in man1/rivex-batch.1 man1/Rivex103.1 ja/man1/rivex-batch.1; do
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

version=$("$work/deb/usr/bin/rivex-batch" --version)
[ "$version" = "rivex-batch $(dpkg-deb -f "$deb" Version)" ] || fail "version: $version"
printf 'a\r\nb\r\n' > "$work/in.txt"
"$work/deb/usr/bin/rivex-batch" --source "$work/in.txt" --output "$work/out.txt" --whole --all \
  > /dev/null 2>&1 || fail "packaged rivex-batch did not run"
cmp -s "$work/in.txt" "$work/out.txt" || fail "packaged rivex-batch wrote other bytes"
echo "install: 1 passed, 0 failed"
