#!/usr/bin/env bash
# The open dialog on a virtual X server opens a PNG as a person would: Ctrl+O on the main window,
# the path typed into the dialog's name box, Return. The PNG (200 x 120, left half magenta, right
# half half-transparent blue) must then show in the upper box, its transparent half over white.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: open_png_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert

fail() { echo "FAIL: $*"; cat "$work/out.log"; exit 1; }

convert -size 100x120 xc:magenta -size 100x120 'xc:rgba(0,0,255,0.5)' +append PNG32:"$work/halves.png"
cd "$work"
start_program "$build/brelvik"
main=$(wait_for_window '^Brelvik 1 10$') || fail "no main window"
geometry "$main"
client_top=$((top + height - 481))
centre_x=$((left + 8 + 1 + 2 + 213)) centre_y=$((client_top + 176 + 1 - 63 + 224))
sleep 1

xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key ctrl+o
wait_window_count 2 || fail "no open dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 30 "$work/halves.png"
xdotool key Return
wait_window_count 1 || fail "the open dialog did not close"

for _ in $(seq 1 50); do
  import -window root "$work/screen.png"
  [ "$(pixel $((centre_x - 50)) "$centre_y")" = "255,0,255" ] && break
  sleep 0.2
done
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP"
for probe in "-50 0 255,0,255" "50 0 128,128,255" "-95 -55 255,0,255" "95 55 128,128,255"; do
  read -r dx dy want <<<"$probe"
  got=$(pixel $((centre_x + dx)) $((centre_y + dy)))
  [ "$got" = "$want" ] || fail "upper box at $dx,$dy from its centre is $got, want $want"
done
echo "PASS: the PNG chosen in the open dialog shows in the upper box, its transparent half over white"
