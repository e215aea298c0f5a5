#!/usr/bin/env bash
# All six windows on virtual X servers of 2 and 1.5 times the usual density: each window covers its
# logical size times the ratio in device pixels. BRELVIK_SHOT_KEEP=PREFIX keeps the screenshots
# (PREFIX-2.png, PREFIX-1.5.png) for a look.
set -euo pipefail
build=$(cd "${1:?usage: dense_windows_test.sh BUILD-DIR}" && pwd)
program="$build/windows_on_screen"
[ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)

export BRELVIK_X_SCREEN=2400x1500x24
source "$here/x_session.sh"
run_in_x_session "$0" "$build" import convert xdotool xwininfo

for ratio in 2 1.5; do
  dir="$work/$ratio"
  mkdir -p "$dir"
  BRELVIK_WINDOWS_SHOT_DIR="$dir" QT_SCALE_FACTOR=$ratio QT_QPA_PLATFORM=xcb \
    "$program" --gtest_filter='*AllSixWindowsForTheScreenshots' >"$dir/out.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 150); do
    [ -s "$dir/ready" ] && break
    sleep 0.2
  done
  [ -s "$dir/ready" ] || { echo "FAIL: the windows did not come up at $ratio"; cat "$dir/out.log"; exit 1; }
  import -window root "$dir/screen.png"
  [ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$dir/screen.png" "$BRELVIK_SHOT_KEEP-$ratio.png"
  # Every window's device size is its logical size times the ratio, rounded.
  while IFS='|' read -r title geometry; do
    read -r x y w h <<<"$geometry"
    want_w=$(python3 -c "print(round($w * $ratio + 1e-9))")
    # The Lighten and Darken dialogs share a caption: one of the windows so named must match.
    widths=""
    for id in $(xdotool search --onlyvisible --name "^$title\$"); do
      widths="$widths $(xwininfo -id "$id" | awk '/Width:/ {print $2}')"
    done
    echo "ratio $ratio: '$title' ${w}x$h logical, widths$widths device, want $want_w"
    grep -qw "$want_w" <<<"$widths" || { echo "FAIL: no window '$title' is $want_w wide"; exit 1; }
  done <"$dir/ready"
  touch "$dir/done"
  wait "$pid" || { echo "FAIL: the test program failed"; cat "$dir/out.log"; exit 1; }
  pid=""
done
echo "PASS: six windows at ratios 2 and 1.5"
