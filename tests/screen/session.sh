# The session that the screen checks drive, sourced once `build`, `out` and `work` are set.
#   start_session DISPLAY SIZE
# starts Xvfb and openbox and Rivex103 on $work/data.txt (3000 records of fixed columns), its
# standard error in $out/stderr.txt, and ends them all and removes $work on exit. It sets
# `main`, the main window, whose controls `at` clicks at client coordinates.

start_session() {
  for ((i = 1; i <= 3000; i++)); do
    printf '%04dABCDEFGHIJ%08d     XYZ\r\n' $((i % 50)) $((i * 37))
  done > "$work/data.txt"
  Xvfb "$1" -screen 0 "${2}x24" >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$1 XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  sleep 1
  openbox >/dev/null 2>&1 &
  openbox=$!
  sleep 1
  XDG_CONFIG_HOME="$work/config" "$build/app/Rivex103" "$work/data.txt" 2>"$out/stderr.txt" &
  app=$!
  trap 'kill $app; sleep 1; kill $openbox $xvfb; rm -rf "$work"' EXIT
  sleep 3
  main=$(xdotool search --name "Rivex 1.03" | head -1)
}

at() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.4; }
shot() { import -window root "$out/$1.png"; }
