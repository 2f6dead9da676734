#!/usr/bin/env bash
# Drives Rivex103 under Xvfb and openbox as a user would and leaves screenshots to look at:
# both radio choices together, typing after a focus move into a grid, a selection emptied by
# Delete, a click and a drag on the viewer's ruler, and the viewer's place beside the main
# window, and both windows answering while a 3 GB record is measured. Not run by CI: the pictures are judged by eye.
#   tests/screen/check.sh BUILD_DIR OUT_DIR [WIDTHxHEIGHT]
# Needs xvfb openbox xdotool imagemagick x11-utils.
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
size=${3:-1920x1080}
mkdir -p "$out"
work=$(mktemp -d)
source "$(dirname "$0")/session.sh"

truncate -s 3G "$work/long.txt"  # one record: a hole with no line end
start_session :77 "$size"
# Client coordinates of the main window's controls, from its fixed layout.
code=(53 281) count=(53 259) unknown=(135 352) cell1=(390 279) show=(460 43)
records_tab=(240 183)

# 1. A code order chosen, then the checked mode clicked twice and spaced.
at "${code[@]}"; at "${unknown[@]}"; at "${code[@]}"; at "${code[@]}"
xdotool key ctrl+a BackSpace shift+Tab space; sleep 0.3
shot 1-radios
# 2. Digits typed after the focus moved into the grid.
at "${count[@]}"; xdotool type --delay 80 12; xdotool key Return; xdotool type --delay 80 34
xdotool key Return; sleep 0.3
shot 2-typed
# 3. A click and Shift+Down select; Delete empties both cells.
at "${cell1[@]}"; xdotool key shift+Down; sleep 0.2; shot 3-selected
xdotool key Delete; sleep 0.3; shot 3-deleted
# 5. and 6. The viewer beside the main window; a click on its ruler, then a drag.
at "${show[@]}"; sleep 1.5; shot 6-viewer
viewer=$(xdotool search --name "レコードの表示" | head -1)
eval "$(xdotool getwindowgeometry --shell "$viewer")"
read -r top < <(xwininfo -id "$viewer" | awk '/Absolute upper-left Y/ {print $4}')
ruler=$((top + 92))  # below the two rows of choices
xdotool mousemove $((X + 110)) $ruler click 1; sleep 0.6; shot 5-clicked
xdotool mousemove $((X + 110)) $ruler mousedown 1
for dx in 120 135 150 170; do xdotool mousemove $((X + dx)) $((ruler + 1)); sleep 0.05; done
xdotool mouseup 1; sleep 0.8; shot 5-dragged
xdotool windowminimize "$viewer"; sleep 0.6; shot 6-viewer-minimised
# 9. A 3 GB record measured aside: the main window takes clicks and typing meanwhile.
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 291 38 click --repeat 3 1; sleep 0.2
xdotool type --delay 20 "$work/long.txt"
at "${show[@]}"; sleep 0.3
at "${records_tab[@]}"; at "${count[@]}"; xdotool type --delay 80 7; sleep 0.2
shot 9-reading
sleep 8; shot 9-read
echo "screenshots in $out; Qt's messages in $out/stderr.txt"
