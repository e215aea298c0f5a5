#!/usr/bin/env bash
# The size figure on a virtual X server with a 24 MP picture open: arrow keys on the focused slider
# change the figure beside the quality while the picture is encoded on the other thread, the
# quality figure follows the keys meanwhile, and going back to the first quality shows the first
# figure again. Nothing here is timed: each wait is for the screen to settle, up to a minute.
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
left_main=$left client_top=$((top + height - 481))

# A fingerprint of a part of the window's client area: X Y W H.
area() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "$3x$4+$((left_main + $1))+$((client_top + $2))" +repage rgb:- | md5sum | cut -c1-32
}
figure() { area 176 118 200 17; }
quality() { area 144 118 30 17; }

# Waits until the figure's look holds for three seconds and differs from $1 (if given); prints it.
settled_figure() {
  local last= now same=0
  for _ in $(seq 1 120); do
    now=$(figure)
    if [ "$now" = "$last" ] && [ "$now" != "${1:-}" ]; then
      same=$((same + 1))
      [ "$same" -ge 6 ] && { echo "$now"; return 0; }
    else
      same=0
    fi
    last=$now
    sleep 0.5
  done
  return 1
}

# Focus the slider by its handle (a click beside it would only step the value).
xdotool mousemove $((left_main + 231)) $((client_top + 146)) click 1
first=$(settled_figure) || fail "the figure never settled"
first_quality=$(quality)
xdotool key Right Right
second=$(settled_figure "$first") || fail "two arrow keys did not change the figure"
[ "$(quality)" != "$first_quality" ] || fail "the quality figure did not follow the keys"
echo "two steps up: the figure and the quality changed"
xdotool key Left Left
for _ in $(seq 1 120); do
  [ "$(figure)" = "$first" ] && break
  sleep 0.5
done
[ "$(figure)" = "$first" ] || fail "back at the first quality the figure is not the first one"
[ "$(quality)" = "$first_quality" ] || fail "the quality figure did not come back"
echo "two steps down: the first figure and quality again"

close_expecting_success "$main"
echo "PASS: arrow keys on the slider move the size figure of a 24 MP picture"
