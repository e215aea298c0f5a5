#!/usr/bin/env bash
# On a virtual X server with a 24 MP picture open: arrow keys on the focused slider change the size
# figure (encoded on the other thread) and the quality figure; going back shows the first figure
# again. Nothing is timed: each wait is for the screen to settle, up to a minute.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: size_figure_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert md5sum
fail() { echo "FAIL: $*"; cat "$work/out.log"; exit 1; }

cd "$work"
convert -size 6000x4000 xc:gray50 -seed 5 +noise Gaussian -type TrueColor BMP3:big.bmp
start_program "$build/brelvik" "$work/big.bmp"
main=$(wait_for_window '^Brelvik 1 10$') || fail "the main window did not appear"
geometry "$main"
area() {  # X Y W H of the client area: a fingerprint of what it shows
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$3x$4+$((left + $1))+$((top + height - 481 + $2))" +repage rgb:- | md5sum
}
# Prints the size figure's look once it has held for three seconds, other than $1.
settled_figure() {
  local last= now same=0
  for _ in $(seq 1 120); do
    now=$(area 176 118 200 17)
    [ "$now" = "$last" ] && [ "$now" != "${1:-}" ] && same=$((same + 1)) || same=0
    [ "$same" -ge 6 ] && { echo "$now"; return 0; }
    last=$now
    sleep 0.5
  done
  return 1
}

xdotool mousemove $((left + 231)) $((top + height - 481 + 146)) click 1  # the slider's handle
first=$(settled_figure) || fail "the figure never settled"
quality=$(area 144 118 30 17)
xdotool key Right Right
settled_figure "$first" >/dev/null || fail "two arrow keys did not change the figure"
[ "$(area 144 118 30 17)" != "$quality" ] || fail "the quality figure did not follow the keys"
xdotool key Left Left
for _ in $(seq 1 120); do [ "$(area 176 118 200 17)" = "$first" ] && break || sleep 0.5; done
[ "$(area 176 118 200 17)" = "$first" ] || fail "back at the first quality the figure is not the first one"
[ "$(area 144 118 30 17)" = "$quality" ] || fail "the quality figure did not come back"
close_expecting_success "$main"
echo "PASS: arrow keys on the slider move the size figure of a 24 MP picture and back"
