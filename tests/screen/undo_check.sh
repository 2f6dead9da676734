#!/usr/bin/env bash
# Drives the main window's undo and redo under Xvfb and openbox as a user would and leaves
# screenshots to look at: typing in a grid, Ctrl+Z with a cell editor open, Delete over a
# selection, a row inserted and deleted from the grid's menu, a run of typing in the key box
# and its box menu, a loaded conditions file, and a drag in the viewer undone from the viewer.
# Not run by CI: the pictures are judged by eye.
#   tests/screen/undo_check.sh BUILD_DIR OUT_DIR [DISPLAY]
# Needs xvfb openbox xdotool imagemagick.
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
display=${3:-:81}
mkdir -p "$out"
work=$(mktemp -d)
source "$(dirname "$0")/session.sh"

cat > "$work/loaded.rivex.json" <<JSON
{"format": "rivex-conditions", "version": 1, "sourceFile": "data.txt", "outputFile": "out.txt",
 "fieldMode": "listed", "fields": [["1", "4", "", ""], ["9", "12", "", ""]],
 "selectMode": "code", "ranges": [["0010", "0020"], ["0031", "0031"]], "keyPositions": "1-4",
 "exclude": false, "codeOrder": "unknown", "lineEnd": "auto", "outputLineEnd": "source",
 "encoding": "utf8"}
JSON
start_session "$display" 1920x1080
# A shot once the window has settled after a key.
settled() { sleep 0.4; shot "$1"; }
# A cell clicked, and the grid's menu opened on it at the pointer: its row commands lie 56
# and 78 pixels below it.
menu() {
  at "$1" "$2"
  xdotool click 3; sleep 0.6; shot "$3"
  xdotool mousemove_relative 50 "$4" click 1
}
# Client coordinates of the main window's controls, from its fixed layout.
count=(53 259) code=(53 281) keys=(476 216) load=(770 491) show=(460 43)
row1=(393 279) row2=(393 297)

at "${count[@]}"
xdotool type --delay 80 12; xdotool key Return; xdotool type --delay 80 34; xdotool key Return
xdotool type --delay 80 56; xdotool key Return; settled 1-typed
xdotool key ctrl+z; settled 2-undone
xdotool key ctrl+y; settled 3-redone
xdotool type --delay 80 78; settled 4-editor-open
xdotool key ctrl+z; settled 4-editor-undone
xdotool key ctrl+y; settled 4-editor-redone
at "${row1[@]}"; xdotool key shift+Down shift+Right Delete; settled 5-deleted
xdotool key ctrl+z; settled 5-delete-undone
menu "${row2[@]}" 6-menu 56; settled 7-row-inserted
xdotool key ctrl+z; settled 7-insert-undone
xdotool key ctrl+y; settled 7-insert-redone
menu "${row2[@]}" 8-menu 78; settled 8-row-deleted
xdotool key ctrl+z; settled 8-delete-undone
at "${code[@]}"; xdotool type --delay 100 "1-4"; settled 9-keys-typed
xdotool key ctrl+z; settled 9-keys-undone
xdotool key ctrl+z; settled 9-mode-undone
xdotool key ctrl+y ctrl+y; settled 9-redone
xdotool mousemove --window "$main" "${keys[@]}" click 3; sleep 0.6; settled 10-box-menu
xdotool mousemove_relative 30 10 click 1; settled 10-box-menu-undone
xdotool key ctrl+y
at "${load[@]}"; sleep 1.5
xdotool type --delay 30 "$work/loaded.rivex.json"; xdotool key Return; sleep 1; settled 11-loaded
xdotool key ctrl+z; settled 11-load-undone
xdotool key ctrl+y; settled 11-load-redone
at "${show[@]}"; sleep 1.5
viewer=$(xdotool search --name "レコードの表示" | head -1)
eval "$(xdotool getwindowgeometry --shell "$viewer")"
read -r top < <(xwininfo -id "$viewer" | awk '/Absolute upper-left Y/ {print $4}')
ruler=$((top + 92))  # below the two rows of choices
xdotool mousemove $((X + 250)) $ruler mousedown 1
for dx in 260 275 290 300; do xdotool mousemove $((X + dx)) $((ruler + 1)); sleep 0.05; done
xdotool mouseup 1; settled 12-dragged
xdotool key ctrl+z; settled 12-drag-undone
xdotool key ctrl+y; settled 12-drag-redone
echo "screenshots in $out; Qt's messages in $out/stderr.txt"
